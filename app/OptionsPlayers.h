// The Players group of the Options dialog: how many play, their names and their colours.
#pragma once

#include <windows.h>

// Fills the count list and the name boxes from the settings.
void InitPlayerOptions(HWND dialog);

// Takes the count and the names of the players who play into the settings.
void AcceptPlayerOptions(HWND dialog);

// The brush of a seat's colour swatch, for WM_CTLCOLORSTATIC: the seat's colour while it plays, the
// dialog's own (null) for a seat that does not and for every other static control.
HBRUSH PlayerColourBrush(HWND dialog, HDC dc, HWND control);

// A new count chosen in the list enables as many name boxes; true when the command was its.
bool OnPlayerOptionsCommand(HWND dialog, WPARAM wParam);
