// What Windows' settings say of the board's looks: high contrast's colours, and whether the client
// area may animate.
#pragma once

#include "rules/BoardColours.h"

// The colours the board is drawn in, as the settings stood at the last FollowSystemLook.
extern BoardColours Look;

// Reads high contrast and the system colours again and redraws the board: at start-up, and when
// Windows says a setting or a system colour changed.
void FollowSystemLook();

// Windows' "Show animations in Windows" (SPI_GETCLIENTAREAANIMATION); on where it cannot be asked.
bool ClientAreaAnimates();
