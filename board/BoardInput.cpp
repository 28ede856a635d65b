#include "board/BoardInput.h"

#include "app/StatisticsDialog.h"
#include "board/BoardArea.h"
#include "board/ComputerTurn.h"
#include "board/FocusCue.h"
#include "board/MissTurnBack.h"
#include "board/NewRound.h"
#include "board/TurnCard.h"
#include "engine/FullScreen.h"
#include "engine/GameEngine.h"
#include "rules/BoardFocus.h"
#include "rules/CardSpeech.h"
#include "rules/HitTest.h"
#include "rules/PlayerTurns.h"

namespace {

bool ControlDown() {
    return GetKeyState(VK_CONTROL) < 0;
}

// The move a navigation key makes; false for any other key.
bool MoveOfKey(WPARAM key, FocusMove* move) {
    switch (key) {
        case VK_LEFT:
            *move = FocusMove::Left;
            return true;
        case VK_RIGHT:
            *move = FocusMove::Right;
            return true;
        case VK_UP:
            *move = FocusMove::Up;
            return true;
        case VK_DOWN:
            *move = FocusMove::Down;
            return true;
        case VK_HOME:
            *move = ControlDown() ? FocusMove::BoardStart : FocusMove::RowStart;
            return true;
        case VK_END:
            *move = ControlDown() ? FocusMove::BoardEnd : FocusMove::RowEnd;
            return true;
        default:
            return false;
    }
}

} // namespace

void OnCellClick(int x, int y) {
    if (ComputersTurn())
        return;
    ShowFocusCue(false);
    const RECT client = BoardRect();
    Cell cell;
    if (!HitTestCell(x, y, {Columns, Rows, client.right - client.left, client.bottom - client.top}, &cell))
        return;
    SetBoardFocus(cell);
    TurnCard(cell);
}

bool OnBoardKey(WPARAM key, LPARAM flags) {
    // A held key repeats: the focus may run on, but a card turns and a deal comes once per press,
    // so a Space held a moment too long never turns a missed pair straight back.
    const bool repeated = (flags & (LPARAM(1) << 30)) != 0;
    if (key == VK_F2) {
        if (!repeated)
            NewRound();
        return true;
    }
    if (key == VK_F11) {
        if (!repeated)
            ToggleFullScreen(Engine->Window);
        return true;
    }
    // Esc has no other use on the board itself; a dialog's Esc never reaches it.
    if (key == VK_ESCAPE && InFullScreen()) {
        LeaveFullScreen(Engine->Window);
        return true;
    }
    if (key == VK_F4) {
        if (!repeated)
            ShowStatisticsDialog(Engine->Window);
        return true;
    }
    FocusMove move;
    const bool moves = MoveOfKey(key, &move);
    if (!moves && key != VK_SPACE && key != VK_RETURN)
        return false;
    // The computer's turn is watched, not joined: the keys are not kept for later.
    if (ComputersTurn())
        return true;
    ShowFocusCue(true);
    if (moves)
        SetBoardFocus(MoveFocus(Focus, move, Columns, Rows));
    else if (!repeated)
        TurnCard(Focus);
    return true;
}

void TurnPostedCard(HWND window, WPARAM child) {
    Cell cell;
    if (!IsWindowEnabled(window) || ComputersTurn() ||
        !CellOfChild(static_cast<long>(child), Columns, Rows, &cell))
        return;
    SetBoardFocus(cell);
    TurnCard(cell);
}

void OnComputerTimer() {
    const Cell cell = DueComputerCard();
    if (!IsNone(cell))
        TurnCard(cell);
}

void OnTurnBackTimer() {
    if (MissTurnBackDue())
        TurnCard(SecondPick);
}
