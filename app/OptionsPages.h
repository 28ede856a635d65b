// The pages of the Options sheet, one file each: the picture folder and how cards show pictures
// (OptionsPictures), the level and the kind of pairs (OptionsBoard), who plays (OptionsPlayers),
// calm play (OptionsCalm). Each is given the sheet's OptionsChoice as its page's lParam and writes
// its part of it at OK.
#pragma once

#include <windows.h>

INT_PTR CALLBACK PicturesPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK BoardPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PlayersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK CalmPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
