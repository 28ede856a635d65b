// The Players page of Options: how many play, their names and colours, which seats the computer
// plays and how strongly.
#include "app/OptionsChoice.h"
#include "app/OptionsPages.h"

#include <string>

#include "app/PlayerSettings.h"
#include "app/Texts.h"
#include "res/resource.h"
#include "rules/BoardColours.h"
#include "rules/Statistics.h"

namespace {

int ChosenCount(HWND dialog) {
    const LRESULT chosen = SendDlgItemMessageW(dialog, IDC_PLAYER_COUNT, CB_GETCURSEL, 0, 0);
    return chosen >= 0 && chosen < MaxPlayers ? int(chosen) + 1 : 1;
}

// The seats checked for the computer, in the bits of the setting.
int ChosenComputers(HWND dialog) {
    int computers = 0;
    for (int player = 2; player <= MaxPlayers; ++player)
        if (IsDlgButtonChecked(dialog, IDC_COMPUTER_BASE + player) == BST_CHECKED)
            computers |= 1 << (player - 1);
    return computers;
}

std::wstring NameInBox(HWND dialog, int player) {
    wchar_t name[MaxNameLength + 1] = {};
    GetDlgItemTextW(dialog, IDC_PLAYER_NAME_BASE + player + 1, name, MaxNameLength + 1);
    return name;
}

bool IsSomeDefaultName(const std::wstring& name, int player) {
    for (int computers : {0, 1 << player, 0xE})
        if (name == DefaultPlayerName(player, MaxPlayers, computers))
            return true;
    return false;
}

// Only the players who play have a name to give and a seat for the computer, and the strength is
// the computer's only while it plays a seat; a name box that shows a default name follows the seats
// the computer now takes.
void FollowSeats(HWND dialog) {
    const int count = ChosenCount(dialog);
    for (int player = 1; player <= MaxPlayers; ++player) {
        EnableWindow(GetDlgItem(dialog, IDC_PLAYER_NAME_BASE + player), player <= count);
        EnableWindow(GetDlgItem(dialog, IDC_PLAYER_LABEL_BASE + player), player <= count);
        if (player > 1)
            EnableWindow(GetDlgItem(dialog, IDC_COMPUTER_BASE + player), player <= count);
        InvalidateRect(GetDlgItem(dialog, IDC_PLAYER_COLOUR_BASE + player), nullptr, TRUE);
    }
    const int computers = ChosenComputers(dialog);
    bool computerPlays = false;
    for (int seat = 0; seat < count; ++seat)
        computerPlays = computerPlays || ComputerSeat(seat, count, computers);
    EnableWindow(GetDlgItem(dialog, IDC_STRENGTH), computerPlays);
    EnableWindow(GetDlgItem(dialog, IDC_STRENGTH_LABEL), computerPlays);
    for (int player = 0; player < count; ++player)
        if (IsSomeDefaultName(NameInBox(dialog, player), player))
            SetDlgItemTextW(dialog, IDC_PLAYER_NAME_BASE + player + 1,
                            DefaultPlayerName(player, count, computers).c_str());
}

// Fills the count list and the name boxes from the settings.
void InitPlayerOptions(HWND dialog) {
    for (int count = 1; count <= MaxPlayers; ++count)
        SendDlgItemMessageW(dialog, IDC_PLAYER_COUNT, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(std::to_wstring(count).c_str()));
    SendDlgItemMessageW(dialog, IDC_PLAYER_COUNT, CB_SETCURSEL, Players - 1, 0);
    for (int strength = MinStrength; strength <= MaxStrength; ++strength)
        SendDlgItemMessageW(dialog, IDC_STRENGTH, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(LoadText(IDS_STRENGTH_BASE + strength).c_str()));
    SendDlgItemMessageW(dialog, IDC_STRENGTH, CB_SETCURSEL, Strength - MinStrength, 0);
    for (int player = 0; player < MaxPlayers; ++player) {
        const int box = IDC_PLAYER_NAME_BASE + player + 1;
        SendDlgItemMessageW(dialog, box, EM_LIMITTEXT, MaxNameLength, 0);
        SetDlgItemTextW(dialog, box, PlayerName(player).c_str());
        if (player > 0)
            CheckDlgButton(dialog, IDC_COMPUTER_BASE + player + 1,
                           (Computers & (1 << player)) != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
    FollowSeats(dialog);
}

// The count, the computer's seats and strength, and the names of the players who play.
void AcceptPlayerOptions(HWND dialog, OptionsChoice* choice) {
    choice->Players = ChosenCount(dialog);
    choice->Computers = ChosenComputers(dialog);
    const LRESULT strength = SendDlgItemMessageW(dialog, IDC_STRENGTH, CB_GETCURSEL, 0, 0);
    choice->Strength =
        strength >= 0 && strength <= MaxStrength - MinStrength ? int(strength) + MinStrength : NormalStrength;
    for (int player = 0; player < choice->Players; ++player)
        choice->Names[player] = NameInBox(dialog, player);
}

// The brush of a seat's colour swatch: the seat's colour while it plays, the page's own (null) for a
// seat that does not and for every other static control.
HBRUSH PlayerColourBrush(HWND dialog, HDC dc, HWND control) {
    const int seat = GetDlgCtrlID(control) - IDC_PLAYER_COLOUR_BASE - 1;
    if (seat < 0 || seat >= MaxPlayers || seat >= ChosenCount(dialog))
        return nullptr;
    const uint32_t colour = SeatColour(seat);
    SetDCBrushColor(dc, RGB(colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF));
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

// A new count chosen in the list enables as many name boxes and computer seats, a seat given to or
// taken from the computer changes a default name.
void OnPlayerOptionsCommand(HWND dialog, WPARAM wParam) {
    const int control = LOWORD(wParam);
    const bool seats = control > IDC_COMPUTER_BASE + 1 && control <= IDC_COMPUTER_BASE + MaxPlayers &&
                       HIWORD(wParam) == BN_CLICKED;
    if (seats || (control == IDC_PLAYER_COUNT && HIWORD(wParam) == CBN_SELCHANGE))
        FollowSeats(dialog);
}

} // namespace

INT_PTR CALLBACK PlayersPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            TakeChoice(page, lParam);
            InitPlayerOptions(page);
            return TRUE;
        case WM_COMMAND:
            OnPlayerOptionsCommand(page, wParam);
            return FALSE;
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(
                PlayerColourBrush(page, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        case WM_NOTIFY:
            if (!IsApply(lParam))
                return FALSE;
            AcceptPlayerOptions(page, ChoiceOf(page));
            return AnswerNotification(page, PSNRET_NOERROR);
        default:
            return FALSE;
    }
}
