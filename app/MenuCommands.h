// The main window's menu commands.
#pragma once

#include <windows.h>

// Carries out a WM_COMMAND sent to the main window; ids it does not know get default processing.
LRESULT HandleMenuCommand(HWND window, WPARAM wParam, LPARAM lParam);
