#include "game/PlayersBar.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/PlayerSettings.h"
#include "app/Texts.h"
#include "engine/GameEngine.h"
#include "game/CardPictures.h"
#include "engine/ObjectCounts.h"
#include "game/GameState.h"
#include "game/PlayerTurns.h"
#include "game/RoundTime.h"
#include "res/resource.h"

namespace {

// The turn the bar last told, so only a change is announced.
std::wstring ShownTurn;

// Set before the window grows, so the resize already keeps the board's size.
bool Shown = false;

// The round-time timer is set.
bool Ticking = false;

// A child of the main window, made the first time it shows.
HWND BarWindow() {
    return GetDlgItem(Engine->Window, IDC_STATUSBAR);
}

bool BarShown() {
    return Shown && BarWindow() != nullptr;
}

// One line of the bar's font between its borders.
int BarHeight() {
    const HWND bar = BarWindow();
    if (bar == nullptr)
        return 0;
    HDC dc = GetDC(bar);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(bar, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(bar, dc);
    int borders[3] = {};
    SendMessageW(bar, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
    return metrics.tmHeight + 2 * borders[1] + 4;
}

// The window grows or shrinks by the bar's height, so the board keeps its size; a maximised
// window keeps its own, and the board gives up the bar's height instead.
void GrowWindow(int by) {
    RECT window;
    if (IsZoomed(Engine->Window) || !GetWindowRect(Engine->Window, &window))
        return;
    SetWindowPos(Engine->Window, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + by,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Hidden until the window has grown by its height.
void CreateBar() {
    const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    CountMade(Counted::Window);
    CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0,
                    0, 0, 0, Engine->Window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR)),
                    Engine->AppInstance, nullptr);
    Shown = false;
}

// One player's tries, pairs and time; or the turn, one part per player and the time.
int PartCount() {
    return Round.Count > 1 ? Round.Count + 2 : 3;
}

// The parts, of equal widths, along the client's bottom edge.
void PlaceBar() {
    RECT client;
    GetClientRect(Engine->Window, &client);
    const int height = BarHeight();
    const HWND bar = BarWindow();
    SetWindowPos(bar, nullptr, 0, client.bottom - height, client.right, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    std::vector<int> edges;
    for (int part = 1; part < PartCount(); ++part)
        edges.push_back(MulDiv(client.right, part, PartCount()));
    edges.push_back(-1);
    SendMessageW(bar, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void ShowBar(bool shown) {
    if (shown && BarWindow() == nullptr)
        CreateBar();
    const HWND bar = BarWindow();
    if (bar == nullptr || BarShown() == shown)
        return;
    const int height = BarHeight();
    Shown = shown;
    if (shown) {
        GrowWindow(height);
        PlaceBar();
        ShowWindow(bar, SW_SHOWNA);
    } else {
        ShowWindow(bar, SW_HIDE);
        ShownTurn.clear();
        GrowWindow(-height);
    }
}

void SetPart(int part, const std::wstring& text) {
    SendMessageW(BarWindow(), SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

// With two or more the bar always shows; one player chooses.
bool BarWanted() {
    return Round.Count > 1 || StatusBar;
}

void ShowPlayers() {
    const std::wstring turn = FormatText(IDS_TURN_OF, {PlayerName(Round.Turn)});
    SetPart(0, turn);
    for (int player = 0; player < Round.Count; ++player)
        SetPart(player + 1, FormatText(IDS_PLAYER_SCORE, {PlayerName(player), Round.Scores[player]}));
    if (turn == ShownTurn)
        return;
    ShownTurn = turn;
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, BarWindow(), OBJID_CLIENT, CHILDID_SELF);
}

void ShowSolo() {
    ShownTurn.clear(); // so the next round of players is announced
    SetPart(0, FormatText(IDS_STATUS_TRIES, {Tries}));
    SetPart(1, FormatText(IDS_STATUS_PAIRS, {PairsFound, PairCount()}));
}

// Shows or hides the bar as the round and the setting want it, the board keeping its size.
void FitBarToRound() {
    ShowBar(BarWanted());
    FitPlayersBar();
    // A maximised window keeps its size: the board gives up the bar's strip.
    FitBackBufferToClient();
    ShowTurn();
    FollowRoundTime();
    ShowStatusBarSetting(Engine->Window);
}

} // namespace

RECT BoardRect() {
    RECT client = {0, 0, 0, 0};
    GetClientRect(Engine->Window, &client);
    const int bar = BarShown() ? BarHeight() : 0;
    client.bottom = client.bottom > bar ? client.bottom - bar : 0;
    return client;
}

void SeatPlayers() {
    StartPlayersRound(&Round, Players);
    for (int seat = 0; seat < Round.Count; ++seat)
        Round.Computer[seat] = IsComputerSeat(seat, Round.Count);
    Round.Strength = Strength;
    FitBarToRound();
}

void SeatSavedPlayers(const PlayersRound& players) {
    Round = players;
    FitBarToRound();
}

void ShowTurn() {
    if (!BarShown())
        return;
    if (Round.Count > 1)
        ShowPlayers();
    else
        ShowSolo();
    ShowRoundTime();
}

void ShowRoundTime() {
    if (BarShown())
        SetPart(PartCount() - 1, FormatText(IDS_STATUS_TIME, {FormatRoundTime(RoundSeconds())}));
}

void FollowRoundTime() {
    const bool wanted = BarShown() && ClockRunning(Clock);
    if (wanted == Ticking)
        return;
    Ticking = wanted;
    if (wanted) {
        SetTimer(Engine->Window, RoundTimerId, 1000, nullptr);
        CountMade(Counted::Timer);
    } else {
        KillTimer(Engine->Window, RoundTimerId);
        CountFreed(Counted::Timer);
    }
    ShowRoundTime();
}

void ShowStatusBarSetting(HWND window) {
    const HMENU menu = GetMenu(window);
    CheckMenuItem(menu, IDM_STATUSBAR, MF_BYCOMMAND | (BarWanted() ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu, IDM_STATUSBAR, MF_BYCOMMAND | (Round.Count > 1 ? MF_GRAYED : MF_ENABLED));
}

void ToggleStatusBar(HWND window) {
    if (Round.Count > 1)
        return;
    StatusBar = !StatusBar;
    FitBarToRound();
    InvalidateRect(window, nullptr, FALSE);
}

void FitPlayersBar() {
    if (BarShown())
        PlaceBar();
}
