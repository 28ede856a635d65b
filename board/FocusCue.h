// The keyboard's focus as the window shows it: a frame around the focused card, shown only once
// the keys are in use, as Windows shows its keyboard cues.
#pragma once

#include <windows.h>

#include "rules/GameState.h"

// Hidden until a key is used, hidden again by a mouse click, unless the user asked Windows to
// show keyboard cues always. Kept by the game itself, since Wine never sends WM_UPDATEUISTATE.
extern bool FocusCueShown;

// Starts the frame from the user's setting (SPI_GETKEYBOARDCUES): shown for good when it is on.
void StartFocusCue();

// Shows or hides the frame; the board is drawn again only when that changes.
void ShowFocusCue(bool shown);

// WM_UPDATEUISTATE, where Windows sends it, sets or clears the hidden focus.
void FollowUiState(WPARAM wParam);

// Moves the focus to a card of the grid, redrawing the frame and telling screen readers.
void SetBoardFocus(const Cell& cell);

// Draws the frame into the back buffer when it is shown; within a scene.
void DrawFocusCue();
