#include "game/TryRules.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/Deal.h"
#include "tests/unit/unit_support.h"

namespace {

// Cells counted column by column; cells 2k and 2k + 1 carry picture k + 1.
Cell CellAt(int index) {
    return {index / Rows, index % Rows};
}

void DealInOrder(int level) {
    ResetGameState();
    ApplyLevel(level);
    for (int index = 0; index < Rows * Columns; ++index)
        Board[CellAt(index).Column][CellAt(index).Row] = index / 2 + 1;
}

// The cues ("TM" is Turn then Match, X a miss) and "!" when the round ended.
std::string Press(const Cell& cell) {
    const ClickOutcome outcome = ApplyClick(cell);
    std::string cues;
    for (int i = 0; i < outcome.CueCount; ++i)
        cues += "TMXC"[static_cast<int>(outcome.Cues[i])];
    return cues + (outcome.RoundEnded ? "!" : "");
}

// At level 1: A and its mate share a picture; B, C and the pair F, F2 have pictures of their own.
const Cell A = {0, 0}, AMate = {0, 1}, B = {1, 0}, C = {2, 0}, F = {3, 0}, F2 = {3, 1};

TEST(TryRules, EachTransitionWithItsCues) {
    const struct {
        std::vector<Cell> Before;
        Cell Click;
        const char* After; // cues; first and second pick; tries, pairs found and cards found
    } transitions[] = {
        {{F, F2}, F, "; -1,-1 -1,-1; 1 1 2"},    // no card up, a found card
        {{F, F2, A}, F2, "; 0,0 -1,-1; 1 1 2"},  // one card up, a found card
        {{F, F2, A, B}, F, "; 0,0 1,0; 2 1 2"},  // two cards up, a found card
        {{}, A, "T; 0,0 -1,-1; 0 0 0"},          // no card up
        {{A}, A, "; 0,0 -1,-1; 0 0 0"},          // one card up, the same card
        {{A}, AMate, "TM; -1,-1 -1,-1; 1 1 2"},  // one card up, the same picture
        {{A}, B, "TX; 0,0 1,0; 1 0 0"},          // one card up, another picture
        {{A, B}, A, "; 0,0 1,0; 1 0 0"},         // a miss up, its first card
        {{A, B}, B, "; -1,-1 -1,-1; 1 0 0"},     // a miss up, its second card
        {{A, B}, C, "; -1,-1 -1,-1; 1 0 0"},     // a miss up, a face-down card
        {{A, B}, AMate, "; -1,-1 -1,-1; 1 0 0"}, // a miss up, the first card's mate
    };
    for (const auto& t : transitions) {
        DealInOrder(1);
        for (const Cell& cell : t.Before)
            Press(cell);
        const std::string cues = Press(t.Click);
        const long found = std::count(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 1);
        EXPECT_EQ(cues + "; " + std::to_string(FirstPick.Column) + "," + std::to_string(FirstPick.Row) + " " +
                      std::to_string(SecondPick.Column) + "," + std::to_string(SecondPick.Row) + "; " +
                      std::to_string(Tries) + " " + std::to_string(PairsFound) + " " + std::to_string(found),
                  t.After)
            << t.Click.Column << "," << t.Click.Row << " after " << t.Before.size() << " clicks";
    }
}

} // namespace
