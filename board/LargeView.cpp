#include "board/LargeView.h"

#include <utility>

#include "app/Settings.h"
#include "app/Texts.h"
#include "board/BoardAccessible.h"
#include "board/BoardArea.h"
#include "board/CardPictures.h"
#include "board/FocusCue.h"
#include "board/LargeViewDecode.h"
#include "board/LargeViewDrawing.h"
#include "board/RoundTime.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "res/resource.h"
#include "rules/GameState.h"
#include "rules/HitTest.h"
#include "rules/LargeViewCaption.h"
#include "rules/PlayerTurns.h"

namespace {

bool Open = false;
bool Sharp = false;
int Shown = 0; // the picture number shown

// A pair found shows by itself this long.
const UINT_PTR ByItselfTimer = 3;
const UINT ByItselfMs = 3000;

// "YYYY-MM-DD" in the user's long date format; empty when there is no date.
std::wstring LongDate(const std::string& day) {
    if (day.size() != 10)
        return std::wstring();
    SYSTEMTIME time = {};
    time.wYear = WORD(std::stoi(day.substr(0, 4)));
    time.wMonth = WORD(std::stoi(day.substr(5, 2)));
    time.wDay = WORD(std::stoi(day.substr(8, 2)));
    wchar_t text[128] = {};
    if (GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_LONGDATE, &time, nullptr, text, 128, nullptr) == 0)
        return std::wstring();
    return text;
}

void OpenView(int picture, bool byItself) {
    if (Open || picture < 1 || picture >= CardImageCount || KeptPictures[picture].Pixels.empty())
        return;
    const KeptPicture& kept = KeptPictures[picture];
    Open = true;
    Sharp = false;
    Shown = picture;
    HoldRoundTime();
    // What the game holds shows at once, in the card's shape until the file tells its own.
    SetLargeViewShape(kept.Width, kept.Height);
    SetLargeViewPicture(kept.Width, kept.Height, kept.Pixels);
    SetLargeViewCaption(LargeViewName());
    StartViewDecode(Engine->Window, kept.Path, LargeViewRoom());
    if (byItself)
        SetTimer(Engine->Window, ByItselfTimer, ByItselfMs, nullptr);
    Engine->FrameWanted = TRUE;
    AnnounceLargeView();
}

void TakeDecoded() {
    ViewPicture picture;
    if (!Open || !TakeViewDecode(&picture))
        return;
    if (picture.ShapeWidth > 0 && picture.ShapeHeight > 0)
        SetLargeViewShape(picture.ShapeWidth, picture.ShapeHeight);
    if (!picture.Pixels.empty())
        SetLargeViewPicture(picture.Width, picture.Height, std::move(picture.Pixels));
    Sharp = Sharp || picture.Sharp;
}

bool IsFound(const Cell& cell) {
    return FaceUp[cell.Column][cell.Row] == 1;
}

// A found card under a double-click opens it; any other double-click is a press like the first.
bool DoubleClicked(LPARAM lParam) {
    const RECT client = BoardRect();
    Cell cell;
    if (ComputersTurn() ||
        !HitTestCell(int(LOWORD(lParam)), int(HIWORD(lParam)), {Columns, Rows, client.right, client.bottom}, &cell) ||
        !IsFound(cell))
        return false;
    SetBoardFocus(cell);
    OpenView(PictureOfCard(cell), false);
    return true;
}

// Enter or Space on a focused found card, pressed rather than held.
bool KeyOnFound(WPARAM key, LPARAM flags) {
    if ((key != VK_RETURN && key != VK_SPACE) || (flags & (LPARAM(1) << 30)) != 0 || ComputersTurn() ||
        !IsFound(Focus))
        return false;
    ShowFocusCue(true);
    OpenView(PictureOfCard(Focus), false);
    return true;
}

// A screen reader's default action on a found card: "Show".
bool ShowPosted(HWND window, WPARAM child) {
    Cell cell;
    if (!IsWindowEnabled(window) || ComputersTurn() || !CellOfChild(long(child), Columns, Rows, &cell) ||
        !IsFound(cell))
        return false;
    SetBoardFocus(cell);
    OpenView(PictureOfCard(cell), false);
    return true;
}

bool TakeWhileClosed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDBLCLK:
            return DoubleClicked(lParam);
        case WM_KEYDOWN:
            return KeyOnFound(wParam, lParam);
        case TurnCardMessage:
            return ShowPosted(window, wParam);
        case LargeViewDecodedMessage:
            return true; // news of a view already closed
        case WM_TIMER:
            if (wParam != ByItselfTimer)
                return false;
            KillTimer(window, ByItselfTimer);
            return true;
        default:
            return false;
    }
}

bool TakeWhileOpen(UINT message, WPARAM wParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_KEYDOWN:
        case TurnCardMessage:
            CloseLargeView();
            return true;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            return true;
        case WM_TIMER:
            if (wParam != ByItselfTimer)
                return false;
            CloseLargeView();
            return true;
        case LargeViewDecodedMessage:
            TakeDecoded();
            return true;
        case WM_COMMAND:
        case WM_SYSKEYDOWN:
        case WM_CLOSE:
        case WM_DESTROY:
        case WM_ENDSESSION:
            CloseLargeView();
            return false;
        default:
            return false;
    }
}

} // namespace

bool LargeViewOpen() {
    return Open;
}

bool LargeViewSharp() {
    return Open && Sharp;
}

bool LargeViewTakes(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Open ? TakeWhileOpen(message, wParam) : TakeWhileClosed(window, message, wParam, lParam);
}

void ShowFoundPair(const ClickOutcome& outcome, int picture) {
    const bool found = outcome.CueCount == 2 && outcome.Cues[1] == Cue::Match;
    // A calm round shows every pair found, whatever the setting, which it leaves as it is.
    if ((ShowFound == 1 || CalmRound) && found && !outcome.RoundEnded)
        OpenView(picture, true);
}

void CloseLargeView() {
    if (!Open)
        return;
    Open = false;
    StopViewDecode();
    KillTimer(Engine->Window, ByItselfTimer);
    ClearLargeView();
    ReleaseRoundTime();
    // The board comes back whole.
    WholeFrameWanted = true;
    Engine->FrameWanted = TRUE;
    AnnounceFocus();
}

std::wstring LargeViewName() {
    if (Shown < 1 || Shown >= CardImageCount)
        return std::wstring();
    const KeptPicture& picture = KeptPictures[Shown];
    const auto word = [](UINT id) { return NarrowText(LoadText(id), CP_UTF8); };
    const CaptionWords words = {{word(IDS_NAME_LIST_COMMA), word(IDS_NAME_LIST_AND)},
                                word(IDS_LARGE_VIEW_NAME)};
    // The picture's own name, whichever person of it its card shows.
    return WideText(
        LargeViewCaption(picture.Title, picture.People, NarrowText(LongDate(picture.Taken), CP_UTF8), words),
        CP_UTF8);
}
