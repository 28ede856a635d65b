// What start-up gathers for the rest of the program: texts, module handle, picture list.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

const int AppTextLength = 100;

extern char AppTitle[AppTextLength];     // string resource 103
extern char AppClassName[AppTextLength]; // string resource 109
extern HINSTANCE ModuleInstance;         // where the sounds are played from

// Full paths of the pictures of the picture folder, filled at start-up or by a folder dropped on
// the window; each deal reorders it.
extern std::vector<std::string> PictureList;
// The folder and the subfolders setting PictureList was gathered from: the board's own, which a
// kept round records, while Options may already name another folder for the next start.
extern std::string ListFolder;
extern int ListSubfolders;

// From the start of start-up until its first deal: the board's input and the commands that need
// the picture list wait (app/StartupScan.h).
extern bool StartupUnderWay;
// The Options command came while start-up was under way; it opens once start-up has dealt.
extern bool OptionsHeld;
