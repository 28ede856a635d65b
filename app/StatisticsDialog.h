// The Statistics dialog: one player's rounds per level, the names that won most, and Reset.
#pragma once

#include <windows.h>

INT_PTR CALLBACK StatisticsDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

void ShowStatisticsDialog(HWND owner);
