#include "board/StatusBar.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

#include "app/PlayerSettings.h"
#include "app/Texts.h"
#include "board/BoardArea.h"
#include "board/CardPictures.h"
#include "engine/Dpi.h"
#include "engine/FullScreen.h"
#include "engine/GameEngine.h"
#include "engine/ObjectCounts.h"
#include "res/resource.h"
#include "rules/GameState.h"
#include "rules/PlayerTurns.h"
#include "rules/StatusParts.h"

namespace {

// The turn and the texts the bar last told, so only a change is announced.
std::wstring ShownTurn;
std::wstring ShownTexts;

// UI Automation's LiveSetting property and its polite value; MinGW's headers lack the GUID, and
// oleacc's own GUIDs are kept out of a static link beside libuuid's.
const GUID LiveSettingProperty = {
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
const GUID AccPropServicesClass = {
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
const GUID AccPropServicesIid = {
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
const LONG PoliteLiveSetting = 1;

// Set before the window grows, so the resize already keeps the board's size.
bool Shown = false;

// The round-time timer is set.
bool Ticking = false;

// A notice the bar shows in place of the round's texts (ShowBarNotice); empty when none.
std::wstring Notice;

// The bar's font, made for the window's DPI; null while the bar has its own.
HFONT BarFont = nullptr;

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

// Told whenever the bar shows, hides or takes another font, before the window or the board follows.
void TellBoardArea() {
    SetStatusBarStrip(BarShown() ? BarHeight() : 0);
}

// The system's status-bar font at the DPI; the bar keeps the one it has when none can be made.
void SetBarFont(HWND bar, UINT dpi) {
    NONCLIENTMETRICSW metrics = {};
    const HFONT font =
        NonClientMetricsForDpi(&metrics, dpi) ? CreateFontIndirectW(&metrics.lfStatusFont) : nullptr;
    if (font == nullptr)
        return;
    CountMade(Counted::Gdi);
    SendMessageW(bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (BarFont != nullptr) {
        DeleteObject(BarFont);
        CountFreed(Counted::Gdi);
    }
    BarFont = font;
    TellBoardArea();
}

// The window grows or shrinks by the bar's height, so the board keeps its size; a maximised
// window keeps its own, and the board gives up the bar's height instead.
void GrowWindow(int by) {
    if (InFullScreen()) {
        GrowRestoredWindow(by);
        return;
    }
    RECT window;
    if (IsZoomed(Engine->Window) || !GetWindowRect(Engine->Window, &window))
        return;
    SetWindowPos(Engine->Window, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + by,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Screen readers read out every change of a polite live region without moving the focus; a Windows
// without the property service only hears the change events.
void MakeLiveRegion(HWND bar) {
    IAccPropServices* services = nullptr;
    if (FAILED(CoCreateInstance(AccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER, AccPropServicesIid,
                                reinterpret_cast<void**>(&services))))
        return;
    VARIANT polite;
    VariantInit(&polite);
    polite.vt = VT_I4;
    polite.lVal = PoliteLiveSetting;
    services->SetHwndProp(bar, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, LiveSettingProperty, polite);
    services->Release();
}

// Hidden until the window has grown by its height.
void CreateBar() {
    const INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    if (CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                        0, 0, 0, 0, Engine->Window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUSBAR)), Engine->AppInstance,
                        nullptr) != nullptr)
        CountMade(Counted::Window);
    SetBarFont(BarWindow(), WindowDpi(Engine->Window));
    MakeLiveRegion(BarWindow());
    Shown = false;
    TellBoardArea();
}

StatusKind BarKind() {
    return ChooseStatus(Round.Count, CalmRound);
}

int PartCount() {
    return Notice.empty() ? StatusPartCount(BarKind(), Round.Count) : 1;
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
    TellBoardArea();
    if (shown) {
        GrowWindow(height);
        PlaceBar();
        ShowWindow(bar, SW_SHOWNA);
    } else {
        ShowWindow(bar, SW_HIDE);
        ShownTurn.clear();
        ShownTexts.clear();
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

// A notice shows whatever the setting says: it is all the window has to say.
bool BarShowing() {
    return BarWanted() || !Notice.empty();
}

// Sets the parts and returns their texts, one per line.
std::wstring ShowPlayers() {
    const std::wstring turn = FormatText(IDS_TURN_OF, {PlayerName(Round.Turn)});
    SetPart(0, turn);
    std::wstring texts = turn;
    for (int player = 0; player < Round.Count; ++player) {
        const std::wstring score = FormatText(IDS_PLAYER_SCORE, {PlayerName(player), Round.Scores[player]});
        SetPart(player + 1, score);
        texts += L"\n" + score;
    }
    if (turn != ShownTurn) {
        ShownTurn = turn;
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, BarWindow(), OBJID_CLIENT, CHILDID_SELF);
    }
    return texts;
}

// The pairs found, after the turn where several play: nothing counted, nobody ahead.
std::wstring ShowCalm() {
    const std::wstring pairs = FormatText(IDS_STATUS_PAIRS, {PairsFound, PairCount()});
    if (Round.Count < 2) {
        ShownTurn.clear();
        SetPart(0, pairs);
        return pairs;
    }
    const std::wstring turn = FormatText(IDS_TURN_OF, {PlayerName(Round.Turn)});
    const std::wstring text = FormatText(IDS_STATUS_CALM, {turn, pairs});
    SetPart(0, text);
    if (turn != ShownTurn) {
        ShownTurn = turn;
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, BarWindow(), OBJID_CLIENT, CHILDID_SELF);
    }
    return text;
}

std::wstring ShowSolo() {
    ShownTurn.clear(); // so the next round of players is announced
    const std::wstring tries = FormatText(IDS_STATUS_TRIES, {Tries});
    const std::wstring pairs = FormatText(IDS_STATUS_PAIRS, {PairsFound, PairCount()});
    SetPart(0, tries);
    SetPart(1, pairs);
    return tries + L"\n" + pairs;
}

} // namespace

void FitStatusBarToRound() {
    ShowBar(BarShowing());
    FitStatusBar();
    // A maximised window keeps its size: the board gives up the bar's strip.
    FitBackBufferToClient();
    ShowTurn();
    FollowRoundTime();
    ShowStatusBarSetting(Engine->Window);
}

void ShowTurn() {
    if (!BarShown())
        return;
    const StatusKind kind = BarKind();
    if (!Notice.empty())
        SetPart(0, Notice);
    const std::wstring texts = !Notice.empty()                    ? Notice
                               : kind == StatusKind::PlayerScores ? ShowPlayers()
                               : kind == StatusKind::SoloCounts   ? ShowSolo()
                                                                  : ShowCalm();
    // The bar is a polite live region: each change a try makes is read out. The time's tick is
    // not, or a screen reader would speak every second.
    if (texts != ShownTexts)
        NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, BarWindow(), OBJID_CLIENT, CHILDID_SELF);
    ShownTexts = texts;
    ShowRoundTime();
}

void ShowRoundTime() {
    const int part = TimePart(BarKind(), Round.Count);
    if (BarShown() && part >= 0 && Notice.empty())
        SetPart(part,
                FormatText(IDS_STATUS_TIME, {FormatRoundTime(ClockSeconds(Clock, GetTickCount64()))}));
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

void ShowBarNotice(const std::wstring& notice) {
    if (notice == Notice)
        return;
    const bool parts = Notice.empty() != notice.empty();
    Notice = notice;
    ShowBar(BarShowing());
    if (parts)
        FitStatusBar();
    ShowTurn();
}

void ShowStatusBarSetting(HWND window) {
    const HMENU menu = WindowMenu(window);
    CheckMenuItem(menu, IDM_STATUSBAR, MF_BYCOMMAND | (BarWanted() ? MF_CHECKED : MF_UNCHECKED));
    EnableMenuItem(menu, IDM_STATUSBAR, MF_BYCOMMAND | (Round.Count > 1 ? MF_GRAYED : MF_ENABLED));
}

void ToggleStatusBar(HWND window) {
    if (Round.Count > 1)
        return;
    StatusBar = !StatusBar;
    FitStatusBarToRound();
    InvalidateRect(window, nullptr, FALSE);
}

void FitStatusBar() {
    if (BarShown())
        PlaceBar();
}

void FollowBarDpi(UINT dpi) {
    if (BarWindow() == nullptr)
        return;
    SetBarFont(BarWindow(), dpi);
    FitStatusBar();
    FitBackBufferToClient();
}
