// The People window (Settings > People...): the people the index recognised, each with a face, a
// name and the pictures that show them; the player names them, says two are one, takes a face
// from someone, keeps someone out of deals, or forgets them all.
#pragma once

#include <windows.h>

// Runs the window modally; while recognising is off, says how to turn it on instead.
void ShowPeopleWindow(HWND owner);

INT_PTR CALLBACK PeopleDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
