// A folder given from outside the Options dialog, dropped on the window or named on the command
// line: which folder it is, and whether it becomes the picture folder.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
// A folder with too few pictures leaves what its scan found in `scanned`, when given, for the message.
GivenFolderResult TakeGivenFolder(HWND window, const std::wstring& given,
                                  std::vector<std::string>* scanned = nullptr);

// The string resource telling the player why a folder was not taken.
UINT RefusalText(GivenFolderResult result);

// What the player is told of a refused folder: its path too long, or too few of the pictures the
// board needs among those its scan found.
std::wstring RefusalMessage(GivenFolderResult result, const std::vector<std::string>& scanned);
