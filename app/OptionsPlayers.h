// The Players group of the Options dialog: how many play and their names.
#pragma once

#include <windows.h>

// Fills the count list and the name boxes from the settings.
void InitPlayerOptions(HWND dialog);

// Takes the count and the names of the players who play into the settings.
void AcceptPlayerOptions(HWND dialog);

// A new count chosen in the list enables as many name boxes; true when the command was its.
bool OnPlayerOptionsCommand(HWND dialog, WPARAM wParam);
