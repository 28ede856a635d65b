#include "app/MenuCommands.h"

#include "app/AboutDialog.h"
#include "app/OptionsDialog.h"
#include "app/PlayerSettings.h"
#include "app/StatisticsDialog.h"
#include "app/Texts.h"
#include "engine/GameEngine.h"
#include "game/NewRound.h"
#include "game/PlayersBar.h"
#include "res/resource.h"

namespace {

void ShowDonateMessage() {
    MessageBoxW(GameEngine::Instance->Window, LoadText(IDS_DONATE_TEXT).c_str(),
                LoadText(IDS_DONATE_CAPTION).c_str(), MB_OK);
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
            ShowOptionsDialog(window);
            ShowTurn(); // names changed show at once
            return 0;
        case IDM_MORE:
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
        case IDM_DONATE:
            ShowDonateMessage();
            return 0;
        default:
            return DefWindowProcA(window, WM_COMMAND, wParam, lParam);
    }
}
