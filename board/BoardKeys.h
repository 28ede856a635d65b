// Playing with the keys: the arrows, Home and End move the focus, Space and Enter turn the
// focused card as a click would, F2 deals anew as More does.
#pragma once

#include <windows.h>

// Handles a WM_KEYDOWN and its lParam; false for a key the board does not use.
bool OnBoardKey(WPARAM key, LPARAM flags);
