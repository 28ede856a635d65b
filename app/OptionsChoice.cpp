#include "app/OptionsChoice.h"

#include "app/PlayerSettings.h"
#include "app/Settings.h"

OptionsChoice HeldOptions() {
    OptionsChoice choice;
    choice.PicturePath = PicturePath;
    choice.Subfolders = Subfolders;
    choice.Fit = Fit;
    choice.ShowFound = ShowFound;
    choice.RecognisePeople = RecognisePeople;
    choice.Level = Level;
    choice.Pairs = Pairs;
    choice.Players = Players;
    choice.Computers = Computers;
    choice.Strength = Strength;
    for (int player = 0; player < MaxPlayers; ++player)
        choice.Names[player] = PlayerNames[player];
    choice.Calm = Calm;
    choice.SayNames = SayNames;
    return choice;
}

void KeepOptions(const OptionsChoice& choice) {
    CopyPathText(PicturePath, choice.PicturePath.c_str());
    Subfolders = choice.Subfolders;
    Fit = choice.Fit;
    ShowFound = choice.ShowFound;
    RecognisePeople = choice.RecognisePeople;
    Level = choice.Level;
    Pairs = choice.Pairs;
    Players = choice.Players;
    Computers = choice.Computers;
    Strength = choice.Strength;
    for (int player = 0; player < MaxPlayers; ++player)
        PlayerNames[player] = choice.Names[player];
    Calm = choice.Calm;
    SayNames = choice.SayNames;
}

void TakeChoice(HWND page, LPARAM initParam) {
    const PROPSHEETPAGEW* sheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(initParam);
    SetWindowLongPtrW(page, GWLP_USERDATA, sheetPage->lParam);
}

OptionsChoice* ChoiceOf(HWND page) {
    return reinterpret_cast<OptionsChoice*>(GetWindowLongPtrW(page, GWLP_USERDATA));
}

INT_PTR AnswerNotification(HWND page, LONG_PTR result) {
    SetWindowLongPtrW(page, DWLP_MSGRESULT, result);
    return TRUE;
}
