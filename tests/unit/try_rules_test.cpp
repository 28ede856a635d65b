#include "game/TryRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "game/Deal.h"
#include "game/GameState.h"
#include "tests/unit/unit_support.h"

void PrintTo(Cue cue, std::ostream* out) {
    static const char* const Names[] = {"Turn", "Match", "Miss", "Complete"};
    *out << Names[static_cast<int>(cue)];
}

namespace {

using Cues = std::vector<Cue>;

// Cells counted column by column; cells 2k and 2k + 1 carry picture k + 1.
Cell CellAt(int index) {
    return {index / Rows, index % Rows};
}

std::string Text(const Cell& cell) {
    return "(" + std::to_string(cell.Column) + "," + std::to_string(cell.Row) + ")";
}

int FaceUpCount() {
    return static_cast<int>(std::count(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 1));
}

// At level 1: A and its mate share a picture; B, C and the pair F, F2 have pictures of their own.
const Cell A = {0, 0}, AMate = {0, 1}, B = {1, 0}, C = {2, 0}, F = {3, 0}, F2 = {3, 1};

class TryRules : public testing::Test {
protected:
    void SetUp() override { Deal(1); }

    static void Deal(int level) {
        ResetGameState();
        ApplyLevel(level);
        for (int index = 0; index < Rows * Columns; ++index)
            Board[CellAt(index).Column][CellAt(index).Row] = index / 2 + 1;
    }

    static Cues Press(const Cell& cell, bool* ended = nullptr) {
        const ClickOutcome outcome = ApplyClick(cell);
        if (ended != nullptr)
            *ended = outcome.RoundEnded;
        return Cues(outcome.Cues, outcome.Cues + outcome.CueCount);
    }
};

TEST_F(TryRules, EachTransitionWithItsCues) {
    const struct {
        const char* Name;
        std::vector<Cell> Before;
        Cell Click;
        Cues Expected;
        Cell First, Second;
        int Tries, Pairs;
        bool ClickedCellFound;
    } transitions[] = {
        {"no card up, found cell", {F, F2}, F, {}, NoCell, NoCell, 1, 1, true},
        {"one card up, found cell", {F, F2, A}, F2, {}, A, NoCell, 1, 1, true},
        {"two cards up, found cell", {F, F2, A, B}, F, {}, A, B, 2, 1, true},
        {"no card up", {}, A, {Cue::Turn}, A, NoCell, 0, 0, false},
        {"one card up, the same card", {A}, A, {}, A, NoCell, 0, 0, false},
        {"one card up, same picture", {A}, AMate, {Cue::Turn, Cue::Match}, NoCell, NoCell, 1, 1, true},
        {"one card up, other picture", {A}, B, {Cue::Turn, Cue::Miss}, A, B, 1, 0, false},
        {"two cards up, the first card", {A, B}, A, {}, A, B, 1, 0, false},
        {"two cards up, the second card", {A, B}, B, {}, NoCell, NoCell, 1, 0, false},
        {"two cards up, a face-down card", {A, B}, C, {}, NoCell, NoCell, 1, 0, false},
        {"two cards up, the first card's mate", {A, B}, AMate, {}, NoCell, NoCell, 1, 0, false},
    };
    for (const auto& t : transitions) {
        SCOPED_TRACE(t.Name);
        Deal(1);
        for (const Cell& cell : t.Before)
            Press(cell);
        bool ended = true;
        EXPECT_EQ(Press(t.Click, &ended), t.Expected);
        EXPECT_FALSE(ended);
        EXPECT_EQ(Text(FirstPick), Text(t.First));
        EXPECT_EQ(Text(SecondPick), Text(t.Second));
        EXPECT_EQ(Tries, t.Tries);
        EXPECT_EQ(PairsFound, t.Pairs);
        EXPECT_EQ(FaceUpCount(), 2 * t.Pairs);
        EXPECT_EQ(FaceUp[t.Click.Column][t.Click.Row], t.ClickedCellFound ? 1 : 0);
    }
}

// The round ends on the click that finds the last pair and nowhere else; afterwards every card
// is found and every click is ignored.
TEST_F(TryRules, PerfectRoundEndsOnItsLastTryAtEveryLevel) {
    for (int level = 1; level <= 4; ++level) {
        SCOPED_TRACE(testing::Message() << "level " << level);
        Deal(level);
        const int pairs = PairCount();
        int ends = 0;
        for (int index = 0; index < 2 * pairs; ++index) {
            bool ended = false;
            Press(CellAt(index), &ended);
            ends += ended;
            EXPECT_EQ(ended, index == 2 * pairs - 1) << "cell " << index;
        }
        EXPECT_EQ(ends, 1);
        EXPECT_EQ(Tries, pairs);
        for (int index = 0; index < 2 * pairs; ++index) {
            bool ended = true;
            EXPECT_EQ(Press(CellAt(index), &ended), Cues{}) << Text(CellAt(index));
            EXPECT_FALSE(ended);
        }
        EXPECT_EQ(Tries, pairs);
    }
}

} // namespace
