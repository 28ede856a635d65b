// The About box.
#pragma once

#include <windows.h>

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the box modally, owned by the given window.
void ShowAboutBox(HWND owner);
