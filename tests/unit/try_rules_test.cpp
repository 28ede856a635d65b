#include "game/TryRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

// Level 1, cells counted column by column: cells 2k and 2k + 1 carry picture k + 1.
void DealInOrder() {
    Rows = Columns = 4;
    std::fill(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 0);
    FirstPick = SecondPick = NoCell;
    Tries = PairsFound = 0;
    for (int index = 0; index < 16; ++index)
        Board[index / 4][index % 4] = index / 2 + 1;
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

using State = std::tuple<std::string, int, int, int, int, int, int>; // cues, picks, tries, pairs

TEST(TryRules, EachTransitionWithItsCues) {
    const struct {
        std::vector<Cell> Before;
        Cell Click;
        State After;
    } transitions[] = {
        {{F, F2}, F, {"", -1, -1, -1, -1, 1, 1}},    // no card up, a found card
        {{F, F2, A}, F2, {"", 0, 0, -1, -1, 1, 1}},  // one card up, a found card
        {{F, F2, A, B}, F, {"", 0, 0, 1, 0, 2, 1}},  // two cards up, a found card
        {{}, A, {"T", 0, 0, -1, -1, 0, 0}},          // no card up
        {{A}, A, {"", 0, 0, -1, -1, 0, 0}},          // one card up, the same card
        {{A}, AMate, {"TM", -1, -1, -1, -1, 1, 1}},  // one card up, the same picture
        {{A}, B, {"TX", 0, 0, 1, 0, 1, 0}},          // one card up, another picture
        {{A, B}, A, {"", 0, 0, 1, 0, 1, 0}},         // a miss up, its first card
        {{A, B}, B, {"", -1, -1, -1, -1, 1, 0}},     // a miss up, its second card
        {{A, B}, C, {"", -1, -1, -1, -1, 1, 0}},     // a miss up, a face-down card
        {{A, B}, AMate, {"", -1, -1, -1, -1, 1, 0}}, // a miss up, the first card's mate
    };
    for (const auto& t : transitions) {
        DealInOrder();
        for (const Cell& cell : t.Before)
            Press(cell);
        const std::string cues = Press(t.Click);
        EXPECT_EQ(State(cues, FirstPick.Column, FirstPick.Row, SecondPick.Column, SecondPick.Row, Tries,
                        PairsFound),
                  t.After)
            << &t - transitions;
    }
}

} // namespace
