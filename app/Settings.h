// The two settings, kept in memory for the run and in the user's registry between runs.
#pragma once

#include <windows.h>

#include <string>

#include "app/PathText.h"

// HKEY_CURRENT_USER\<SettingsKey>, with the values "PicturePath" (REG_SZ, 260 bytes), "Level",
// "Subfolders", "Fit", "ShowFound", "Pairs", "FullScreen", "Calm", "SayNames" and "RecognisePeople" (REG_DWORD).
extern const char SettingsKey[];

extern char PicturePath[PathTextSize]; // the picture folder
extern int Level;                      // 1 to LevelCount choose the board (rules/Deal.h)
extern int Subfolders;                 // 1: the scan takes the folder's subfolders too
extern int Fit;                        // 1: a card shows its picture's part of the card's shape
extern int ShowFound;                  // 1: each pair found opens large by itself for a moment
extern int Pairs;                      // the kind of pairs: 0 twins, 1 a picture and its name, 2 two of one name
extern int FullScreen;                 // 1: the window covers its monitor (engine/FullScreen.h)
extern int Calm;                       // 1: calm play, which tells and never tests: nothing counted
extern int SayNames;                   // 1: a found pair without a recording says its name (board/Voice.h)
extern int RecognisePeople;            // 1: the player asked for the people's index (docs/people-index.md)

// A folder as PicturePath keeps it: in the process's code page, which the narrow calls that open
// it take, within its 259 bytes. False when it does not fit or that code page cannot hold it: cut,
// it would name another folder.
bool StorablePicturePath(const std::wstring& folder, std::string* stored);

// Reads both values; false when the key cannot be opened (then nothing changes).
bool LoadSettings();

// Writes both values, creating the key when needed. Failures are not reported.
void SaveSettings();
