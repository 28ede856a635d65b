// The board's input: every source of a turn reaches TurnCard from here, and from nowhere else. A
// mouse press, the keys (the arrows, Home and End move the focus, Space and Enter turn the focused
// card as a click would, F2 deals anew as More does), a screen reader's action, the computer's
// timer and a calm round's turn-back timer.
#pragma once

#include <windows.h>

// A button pressed at a client point: moves the focus to the card under it, hides the keyboard's
// focus cue and turns the card; nothing while the computer plays.
void OnCellClick(int x, int y);

// Handles a WM_KEYDOWN and its lParam; false for a key the board does not use.
bool OnBoardKey(WPARAM key, LPARAM flags);

// TurnCardMessage, posted by a reader's default action: moves the focus to the card and turns it as
// a click would, unless a modal box has the window disabled or the id names no card of the grid now
// dealt.
void TurnPostedCard(HWND window, WPARAM child);

// The main window's WM_TIMER of ComputerTimer: the card the computer's turn has due, turned.
void OnComputerTimer();

// The main window's WM_TIMER of TurnBackTimer: a calm round's miss, when due, turned back as a click
// on its second card turns it back.
void OnTurnBackTimer();
