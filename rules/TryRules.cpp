#include "rules/TryRules.h"

ClickOutcome ApplyClick(const Cell& cell) {
    ClickOutcome outcome = {{Cue::Turn, Cue::Turn}, 0, false};
    if (FaceUp[cell.Column][cell.Row] == 1)
        return outcome;

    if (IsNone(FirstPick)) {
        outcome.Cues[outcome.CueCount++] = Cue::Turn;
        FirstPick = cell;
    } else if (SameCell(cell, FirstPick)) {
        // The first card of the try is already up.
    } else if (IsNone(SecondPick)) {
        outcome.Cues[outcome.CueCount++] = Cue::Turn;
        if (!CalmRound)
            ++Tries;
        SecondPick = cell;
        if (SamePair(FirstPick, cell)) {
            outcome.Cues[outcome.CueCount++] = Cue::Match;
            FaceUp[FirstPick.Column][FirstPick.Row] = 1;
            FaceUp[cell.Column][cell.Row] = 1;
            ++PairsFound;
            FirstPick = NoCell;
            SecondPick = NoCell;
        } else {
            outcome.Cues[outcome.CueCount++] = Cue::Miss;
        }
    } else {
        FirstPick = NoCell;
        SecondPick = NoCell;
    }

    outcome.RoundEnded = PairsFound == PairCount();
    return outcome;
}

bool CueHeard(Cue cue) {
    return !(CalmRound && cue == Cue::Miss);
}
