// What the pages of the Options sheet hold until OK. Each page writes its part here when the sheet
// is accepted, and only an accepted sheet becomes the settings: Cancel, or a page that refuses its
// values, leaves every setting as it was.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "rules/PlayerTurns.h"

struct OptionsChoice {
    std::string PicturePath;
    int Subfolders = 0;
    int Fit = 0;
    int ShowFound = 0;
    int RecognisePeople = 0;
    int Level = 0;
    int Pairs = 0;
    int Players = 1;
    int Computers = 0;
    int Strength = 0;
    std::wstring Names[MaxPlayers];
    int Calm = 0;
    int SayNames = 0;
};

// The settings as they are now.
OptionsChoice HeldOptions();
// Makes the choice the settings.
void KeepOptions(const OptionsChoice& choice);

// A page's share of the sheet: the choice its WM_INITDIALOG was given (PROPSHEETPAGE's lParam),
// kept with the page; null before that.
void TakeChoice(HWND page, LPARAM initParam);
OptionsChoice* ChoiceOf(HWND page);

// Answers a page's notification with the result, as a dialog procedure must.
INT_PTR AnswerNotification(HWND page, LONG_PTR result);

// True when the notification is the sheet's OK, which every page answers by writing its part.
inline bool IsApply(LPARAM lParam) {
    return reinterpret_cast<const NMHDR*>(lParam)->code == UINT(PSN_APPLY);
}
