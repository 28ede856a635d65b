// The window over the whole of its monitor, as a family round on the television wants it: no
// caption, borders or menu, the status bar kept. An ordinary pop-up window, never topmost, so
// Alt+Tab, the Windows key and a log-off treat it as any other.
#pragma once

#include <windows.h>

// True while the window covers its monitor.
bool InFullScreen();

// F11 and the Settings menu's item: over the monitor, or back to the place and size it had.
void ToggleFullScreen(HWND window);
void EnterFullScreen(HWND window);
void LeaveFullScreen(HWND window);

// The monitor changed its resolution or DPI: the window covers it again.
void RefitFullScreen(HWND window);

// The menu bar's menu, also while the full screen has taken it off the window.
HMENU WindowMenu(HWND window);

// The window's height changes by `by` (the status bar came or went) while it covers the monitor:
// the place it comes back to changes instead, so the board keeps its size there.
void GrowRestoredWindow(int by);
