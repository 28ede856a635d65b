#include "app/MenuCommands.h"

#include <algorithm>

#include "app/AboutDialog.h"
#include "app/OptionsDialog.h"
#include "app/PeopleIndexing.h"
#include "app/PeopleWindow.h"
#include "app/PictureShortfall.h"
#include "app/PlayerSettings.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "app/StatisticsDialog.h"
#include "app/Texts.h"
#include "board/NewRound.h"
#include "board/PeopleWait.h"
#include "board/StatusBar.h"
#include "engine/FullScreen.h"
#include "engine/GameEngine.h"
#include "res/resource.h"
#include "rules/Deal.h"

namespace {

void ShowDonateMessage() {
    MessageBoxW(GameEngine::Instance->Window, LoadText(IDS_DONATE_TEXT).c_str(),
                LoadText(IDS_DONATE_CAPTION).c_str(), MB_OK);
}

// A board the pictures cannot fill is refused as at start-up: the player is told and chooses again,
// on the Board page, and a Cancel keeps the level and the kind of pairs the game had. False when the
// window is gone.
bool ChooseFillableBoard(HWND window, int levelBefore, int pairsBefore) {
    for (std::wstring shortfall;
         !PeopleStillComing() && !(shortfall = Shortfall(PictureList, IDS_NOT_ENOUGH)).empty();) {
        MessageBoxW(window, shortfall.c_str(), LoadText(IDS_ERROR_CAPTION).c_str(), MB_OK);
        if (!IsWindow(window))
            return false;
        const INT_PTR answer = ShowOptionsDialog(window, OptionsPage::Board);
        if (!IsWindow(window))
            return false;
        if (answer == -1 || LOWORD(answer) == IDCANCEL) {
            Level = levelBefore;
            Pairs = pairsBefore;
        }
    }
    return true;
}

// The people's index is read while the player wants it, and from the moment they do.
void RecognisingChanged(HWND window, int before) {
    if (RecognisePeople == before)
        return;
    if (RecognisePeople == 1)
        StartPeopleIndexing(window);
    else
        StopPeopleIndexing();
}

// The round goes on with the names as changed; a change of who the computer plays, or how well,
// deals anew, since the seats the round plays with would no longer be the ones chosen.
void ChangeOptions(HWND window) {
    const int before[] = {Players, Computers, Strength};
    const bool computerBefore = ComputerPlays();
    const int levelBefore = Level;
    const int pairsBefore = Pairs;
    const int recognisingBefore = RecognisePeople;
    ShowOptionsDialog(window);
    if (!IsWindow(window))
        return;
    RecognisingChanged(window, recognisingBefore);
    if (!ChooseFillableBoard(window, levelBefore, pairsBefore))
        return;
    const int after[] = {Players, Computers, Strength};
    // A board of people the index is still finding waits for them from now, saying so; a board with
    // no deal takes one now, or waits again.
    const bool waits = PeopleStillComing() && !Shortfall(PictureList, IDS_NOT_ENOUGH).empty();
    if (waits || BoardAwaitsDeal() ||
        ((computerBefore || ComputerPlays()) && !std::equal(before, before + 3, after)))
        NewRound();
    else
        ShowTurn();
}

} // namespace

LRESULT HandleMenuCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    // The same id does the same whatever sent it, so the notification code is not looked at.
    switch (LOWORD(wParam)) {
        case IDM_ABOUT:
            ShowAboutBox(window);
            return 0;
        case IDM_EXIT:
            DestroyWindow(window);
            return 0;
        case IDM_OPTIONS:
            ChangeOptions(window);
            return 0;
        case IDM_MORE:
            NewRound();
            return 0;
        case IDM_PEOPLE:
            ShowPeopleWindow(window);
            return 0;
        case IDM_CHOOSE_BOARD:
            if (BoardAwaitsDeal() && ChooseFillableBoard(window, Level, Pairs))
                NewRound();
            return 0;
        case IDM_STATISTICS:
            ShowStatisticsDialog(window);
            return 0;
        case IDM_SOUND:
            ToggleSound(window);
            return 0;
        case IDM_STATUSBAR:
            ToggleStatusBar(window);
            return 0;
        case IDM_FULLSCREEN:
            ToggleFullScreen(window);
            return 0;
        case IDM_DONATE:
            ShowDonateMessage();
            return 0;
        default:
            return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
}
