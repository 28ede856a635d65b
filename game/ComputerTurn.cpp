#include "game/ComputerTurn.h"

#include <cstdlib>

#include "engine/GameEngine.h"
#include "game/ComputerPace.h"
#include "game/ComputerPlayer.h"
#include "game/OnCellClick.h"
#include "game/PlayerTurns.h"

namespace {

// One memory for each seat; a person's stays empty.
CardMemory Memories[MaxPlayers];

// Seeded by each deal.
const RandomDraw Draw = [] { return rand(); };

bool RoundOver() {
    return PairsFound == PairCount();
}

void PlanMove(bool pairFound) {
    const ComputerStep step =
        NextComputerStep({ComputersTurn(), RoundOver(), !IsNone(SecondPick), pairFound});
    if (step.Move == ComputerMove::None)
        KillTimer(Engine->Window, ComputerTimer);
    else
        SetTimer(Engine->Window, ComputerTimer, static_cast<UINT>(step.DelayMs), nullptr);
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

bool ComputersTurn() {
    return Round.Turn >= 0 && Round.Turn < Round.Count && Round.Computer[Round.Turn] && !RoundOver();
}

void OnComputerTimer() {
    KillTimer(Engine->Window, ComputerTimer);
    if (!ComputersTurn())
        return;
    if (IsIconic(Engine->Window) || !IsWindowEnabled(Engine->Window)) {
        SetTimer(Engine->Window, ComputerTimer, HeldMoveRetryMs, nullptr);
        return;
    }
    const Cell cell = ChooseCard(Memories[Round.Turn], Draw);
    if (!IsNone(cell))
        TurnCard(cell);
}
