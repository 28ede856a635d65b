// The Options sheet: a tab per page (app/OptionsPages.h) over the settings of the picture folder,
// the board, the players and calm play.
#pragma once

#include <windows.h>

// The pages in the order of their tabs.
enum class OptionsPage { Pictures, Board, Players, Calm };

// Runs the sheet modally, open at the page; returns IDOK when OK made every page's values the
// settings, IDCANCEL when it was cancelled (nothing changed), -1 when it could not open.
INT_PTR ShowOptionsDialog(HWND owner, OptionsPage first = OptionsPage::Pictures);
