// Choosing a folder with Windows' own dialogs: the common item dialog that every Windows since
// Vista picks folders with (address bar, Quick access, search), or the older folder browser where
// that dialog cannot be made.
#pragma once

#include <windows.h>

#include <string>

// Asks the player for a file-system folder, the dialog titled so and opening at `start` when that
// folder exists. True with the folder's path when one was picked.
bool PickFolder(HWND owner, const std::wstring& title, const std::wstring& start, std::wstring* picked);
