#include "board/ComputerTurn.h"

#include <cstdlib>

#include "app/StartupScan.h"
#include "board/LargeView.h"
#include "engine/GameEngine.h"
#include "engine/WindowTimer.h"
#include "rules/ComputerPace.h"
#include "rules/ComputerPlayer.h"
#include "rules/PlayerTurns.h"

namespace {

// One memory for each seat; a person's stays empty.
CardMemory Memories[MaxPlayers];

// Seeded by each deal.
const RandomDraw Draw = [] { return rand(); };

WindowTimer MoveTimer(ComputerTimer);

void PlanMove(bool pairFound) {
    const ComputerStep step =
        NextComputerStep({ComputersTurn(), RoundOver(), !IsNone(SecondPick), pairFound});
    if (step.Move == ComputerMove::None)
        MoveTimer.Stop();
    else
        MoveTimer.Wait(static_cast<UINT>(step.DelayMs));
}

} // namespace

void StartComputers() {
    for (int seat = 0; seat < MaxPlayers; ++seat)
        Memories[seat] =
            CardMemory(Round.Computer[seat] ? StrengthMemory(Round.Strength) : MemoryShape{0, 0});
    PlanMove(false);
}

void FollowTurnedCard(const Cell& cell, const ClickOutcome& outcome) {
    WatchTurn(Memories, Round.Count, cell, outcome, Draw);
    PlanMove(outcome.CueCount == 2 && outcome.Cues[1] == Cue::Match);
}

Cell DueComputerCard() {
    // A tick already queued when the wait was stopped or booked anew is not the move's.
    if (!MoveTimer.Waiting())
        return NoCell;
    MoveTimer.Stop();
    if (!ComputersTurn())
        return NoCell;
    // Nobody could follow a move made while no frame is drawn: minimised, under a box or the large
    // view, during a drag of the window or a scan of a dropped folder.
    if (IsIconic(Engine->Window) || !IsWindowEnabled(Engine->Window) || Engine->SizeMoving ||
        GatheringPictures() || LargeViewOpen()) {
        MoveTimer.Wait(HeldMoveRetryMs);
        return NoCell;
    }
    return ChooseCard(Memories[Round.Turn], Draw);
}
