// A found picture shown large over the board: opened by a double-click, Enter or Space on a found
// card, a screen reader's "Show", or by itself for a moment after each pair found when the player
// asked for it; closed by a click, any key, or a menu command.
#pragma once

#include <windows.h>

#include <string>

#include "rules/TryRules.h"

bool LargeViewOpen();
// The sharp picture, decoded at the view's size, has come (rather than the enlarged card or a thumbnail).
bool LargeViewSharp();

// The messages the view takes before the window's own handling: those that open it on a found
// card, and while it is open every click and key (which only close it), its timer and its decode's
// news; a menu command or a system key closes it and goes on. True when the message is taken.
bool LargeViewTakes(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// After a try: a pair found (but the round's last) opens large by itself for a moment, when the
// player asked for it (ShowFound) or the round is calm.
void ShowFoundPair(const ClickOutcome& outcome, int picture);

// Closes the view, stopping its decode; nothing when it is closed.
void CloseLargeView();

// What a screen reader hears of the open view: the picture's name and, when known, the day it was
// taken in the user's long date format.
std::wstring LargeViewName();
