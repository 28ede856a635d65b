// What start-up gathers for the rest of the program: texts, module handle, picture list.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

const int AppTextLength = 100;
const size_t MinPictures = 18; // enough for the largest board, 18 pairs

extern char AppTitle[AppTextLength];     // string resource 103
extern char AppClassName[AppTextLength]; // string resource 109
extern HINSTANCE ModuleInstance;         // where the sounds are played from

// Full paths of the pictures of the picture folder, filled only at start-up; each deal reorders it.
extern std::vector<std::string> PictureList;

// From the start of start-up until its first deal: the board's input and the commands that need
// the picture list wait (app/StartupScan.h).
extern bool StartupUnderWay;
// The Options command came while start-up was under way; it opens once start-up has dealt.
extern bool OptionsHeld;
