#include "app/OptionsPlayers.h"

#include <string>

#include "app/PlayerSettings.h"
#include "game/BoardColours.h"
#include "game/Statistics.h"
#include "res/resource.h"

namespace {

int ChosenCount(HWND dialog) {
    const LRESULT chosen = SendDlgItemMessageW(dialog, IDC_PLAYER_COUNT, CB_GETCURSEL, 0, 0);
    return chosen >= 0 && chosen < MaxPlayers ? int(chosen) + 1 : 1;
}

// Only the players who play have a name to give.
void EnableNames(HWND dialog) {
    const int count = ChosenCount(dialog);
    for (int player = 1; player <= MaxPlayers; ++player) {
        EnableWindow(GetDlgItem(dialog, IDC_PLAYER_NAME_BASE + player), player <= count);
        EnableWindow(GetDlgItem(dialog, IDC_PLAYER_LABEL_BASE + player), player <= count);
        InvalidateRect(GetDlgItem(dialog, IDC_PLAYER_COLOUR_BASE + player), nullptr, TRUE);
    }
}

} // namespace

void InitPlayerOptions(HWND dialog) {
    for (int count = 1; count <= MaxPlayers; ++count)
        SendDlgItemMessageW(dialog, IDC_PLAYER_COUNT, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(std::to_wstring(count).c_str()));
    SendDlgItemMessageW(dialog, IDC_PLAYER_COUNT, CB_SETCURSEL, Players - 1, 0);
    for (int player = 0; player < MaxPlayers; ++player) {
        const int box = IDC_PLAYER_NAME_BASE + player + 1;
        SendDlgItemMessageW(dialog, box, EM_LIMITTEXT, MaxNameLength, 0);
        SetDlgItemTextW(dialog, box, PlayerName(player).c_str());
    }
    EnableNames(dialog);
}

void AcceptPlayerOptions(HWND dialog) {
    Players = ChosenCount(dialog);
    for (int player = 0; player < Players; ++player) {
        wchar_t name[MaxNameLength + 1] = {};
        GetDlgItemTextW(dialog, IDC_PLAYER_NAME_BASE + player + 1, name, MaxNameLength + 1);
        PlayerNames[player] = name;
    }
}

HBRUSH PlayerColourBrush(HWND dialog, HDC dc, HWND control) {
    const int seat = GetDlgCtrlID(control) - IDC_PLAYER_COLOUR_BASE - 1;
    if (seat < 0 || seat >= MaxPlayers || seat >= ChosenCount(dialog))
        return nullptr;
    const uint32_t colour = SeatColour(seat);
    SetDCBrushColor(dc, RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

bool OnPlayerOptionsCommand(HWND dialog, WPARAM wParam) {
    if (LOWORD(wParam) != IDC_PLAYER_COUNT || HIWORD(wParam) != CBN_SELCHANGE)
        return false;
    EnableNames(dialog);
    return true;
}
