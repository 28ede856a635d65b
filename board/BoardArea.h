// The board's part of the client, where it is drawn, clicked and located: the whole client but for
// the status bar's strip along the bottom, whose height the bar tells here.
#pragma once

#include <windows.h>

// The client less the status bar's strip.
RECT BoardRect();

// The status bar's strip: its height while it shows, 0 while it does not.
void SetStatusBarStrip(int height);
