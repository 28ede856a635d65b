// A folder given from outside the Options dialog, dropped on the window or named on the command
// line: which folder it is, and whether it becomes the picture folder.
#pragma once

#include <windows.h>

#include <string>

// The full path of the folder a given path names: the path itself, or the folder a picture file
// lies in. A relative path is taken from the current folder.
std::wstring FolderOfGiven(const std::wstring& given);

enum class GivenFolderResult {
    Taken,       // it is the picture folder now, and PictureList holds its pictures
    TooFew,      // not a folder, not readable, or too few pictures in it
    TooLong,     // its path does not fit the settings
    WindowClosed // during the scan; the engine is gone
};

// Scans the folder a given path names as the settings ask (its subfolders too when they say so),
// while the window lives on and shows the progress. Only with enough pictures does it become the
// picture folder; otherwise the picture folder and PictureList stay as they were.
GivenFolderResult TakeGivenFolder(HWND window, const std::wstring& given);

// The string resource telling the player why a folder was not taken.
UINT RefusalText(GivenFolderResult result);
