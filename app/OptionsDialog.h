// The Options dialog: the picture folder and the level.
#pragma once

#include <windows.h>

INT_PTR CALLBACK OptionsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the dialog modally; returns IDOK or IDCANCEL as the player closed it.
INT_PTR ShowOptionsDialog(HWND owner);
