// The status bar under the board: one player's tries, pairs and time when the setting shows it, or
// with two or more, always, whose turn it is, every score and the time. The board keeps its size
// above it: the window grows by the bar's height when it comes.

#pragma once

#include <windows.h>

#include <string>

// The timer that moves the bar's time on, once a second.
const UINT_PTR RoundTimerId = 2;

// Once a deal or a resumed round has seated its players, before the board is laid out, and when
// the setting changes: the bar shown or hidden as the round and the setting want it, the board
// keeping its size.
void FitStatusBarToRound();

// After every try: the bar's texts. The bar is a polite live region: each change a try makes is
// announced to screen readers as a live-region change, a new turn also as a name change.
void ShowTurn();

// A notice in place of the round's texts, read out as they are, the bar shown for it whatever the
// setting says; an empty one gives the bar back to the round.
void ShowBarNotice(const std::wstring& notice);

// The bar's time, at each tick of the timer.
void ShowRoundTime();

// The timer runs only while the clock does and the bar shows it, so an idle board costs nothing.
void FollowRoundTime();

// The Status Bar item of the Settings menu: checked when the bar shows, greyed with two or more.
void ShowStatusBarSetting(HWND window);
void ToggleStatusBar(HWND window);

// The main window's WM_SIZE: the bar follows the client's bottom edge.
void FitStatusBar();
// WM_DPICHANGED, before the window takes the size Windows suggests: the bar's font and height are
// made for the new DPI, the board's part of the client giving or taking the difference.
void FollowBarDpi(UINT dpi);
