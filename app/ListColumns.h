// The columns of the program's list views: headed in the user's language, and as wide as what
// they hold.
#pragma once

#include <windows.h>
#include <commctrl.h>

// A column headed with the text of string resource heading.
void AddListColumn(HWND list, int column, UINT heading, int format = LVCFMT_LEFT);

// Each column as wide as its heading and its cells, in whatever language they are, and the first
// one given what is left over: no heading is cut, whatever it says.
void FitListColumns(HWND list, int columns);
