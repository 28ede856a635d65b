#include "rules/ComputerPlayer.h"
#include "rules/ComputerPace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "rules/Deal.h"

namespace {

// A random source that always answers the same number: a chance of n % keeps a card for any
// answer below n, and a choice among cards takes the first in row order for 0.
RandomDraw Always(int answer) {
    return [answer] { return answer; };
}

// The computer turns cards as a person would, its memory watching each one.
void Turn(CardMemory* memory, const Cell& cell) {
    WatchTurn(memory, 1, cell, ApplyClick(cell), Always(0));
}

std::string Named(const Cell& cell) {
    return std::to_string(cell.Column) + "," + std::to_string(cell.Row);
}

// Whatever stands under the cards it has not seen cannot change what it turns: the same cards seen
// and the same random answers give the same moves on boards that differ only there.
TEST(ComputerPlayer, NeverChoosesByAFaceDownPicture) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::string moves[2];
        for (int board = 0; board < 2; ++board) {
            ApplyLevel(4);
            ClearBoard();
            ResetTry();
            std::mt19937 deal(seed);
            DealPairs([&deal] { return static_cast<int>(deal() & 0x7FFF); });
            // It saw the first eight cards in row order; on the second board the others are exchanged.
            std::vector<int> hidden;
            for (int index = 8; index < 36; ++index)
                hidden.push_back(Board[index % 6][index / 6]);
            std::shuffle(hidden.begin(), hidden.end(), std::mt19937(seed * 7));
            for (int index = 8; index < 36 && board == 1; ++index)
                Board[index % 6][index / 6] = hidden[index - 8];
            CardMemory memory(StrengthMemory(3));
            std::mt19937 random(seed);
            const RandomDraw draw = [&random] { return static_cast<int>(random() & 0x7FFF); };
            for (int index = 0; index < 8; ++index)
                memory.See({index % 6, index / 6}, Board[index % 6][index / 6], draw);
            // Its first card, and with one of the seen cards up, its second.
            moves[board] = Named(ChooseCard(memory, draw));
            FirstPick = {2, 0};
            moves[board] += " " + Named(ChooseCard(memory, draw));
        }
        EXPECT_EQ(moves[0], moves[1]) << "seed " << seed;
    }
}

// Level 1 in order: cells (c, 0) and (c, 1) share a picture, (c, 2) and (c, 3) another.
void DealInOrder() {
    ApplyLevel(1);
    ClearBoard();
    ResetTry();
    for (int index = 0; index < 16; ++index)
        Board[index / 4][index % 4] = index / 2 + 1;
}

const Cell P = {3, 2}, PMate = {3, 3}, Q = {2, 2}, R = {2, 0}, S = {1, 2};

// A pair in memory is taken; a card seen is kept only with the strength's chance; a full memory
// forgets its oldest card first, and a forgotten pair is not taken.
TEST(ComputerPlayer, TakesWhatItRemembers) {
    const struct {
        MemoryShape Shape;
        int Answer; // of the random source, for each chance
        std::vector<Cell> Seen;
        const char* Choice; // with the random source answering 0: the first unknown card is (0,0)
    } cases[] = {
        {{100, 4}, 0, {P, PMate}, "3,2"},
        {{100, 4}, 0, {PMate, Q, R, P}, "3,3"},
        {{100, 3}, 0, {P, PMate, Q}, "3,2"},
        {{100, 3}, 0, {P, PMate, Q, R}, "0,0"},    // P forgotten
        {{100, 3}, 0, {P, Q, R, S, PMate}, "0,0"}, // P forgotten before its mate came
        {{100, 3}, 0, {P, Q, P, R, PMate}, "3,2"}, // seen again, P is newer than Q
        {{40, 4}, 39, {P, PMate}, "3,2"},
        {{40, 4}, 40, {P, PMate}, "0,0"},   // not kept
        {{0, 0}, 0, {P, PMate}, "0,0"},     // remembers nothing
        {{100, 36}, 0, {R, {0, 0}}, "1,0"}, // a known card it cannot pair is passed over
    };
    for (const auto& c : cases) {
        DealInOrder();
        CardMemory memory(c.Shape);
        for (const Cell& cell : c.Seen)
            memory.See(cell, Board[cell.Column][cell.Row], Always(c.Answer));
        EXPECT_EQ(Named(ChooseCard(memory, Always(0))), c.Choice) << &c - cases;
    }
}

// With its first card up it turns the mate it remembers, else a card it does not know; a known
// card that is not the mate only when nothing unknown is left.
TEST(ComputerPlayer, SecondCardByTheFirstCardsPicture) {
    DealInOrder();
    CardMemory memory({100, 36});
    memory.See({0, 0}, Board[0][0], Always(0));
    memory.See(PMate, Board[3][3], Always(0));
    Turn(&memory, P);
    EXPECT_EQ(Named(ChooseCard(memory, Always(0))), "3,3");
    Turn(&memory, PMate);
    EXPECT_EQ(memory.PictureAt(P) + memory.PictureAt(PMate), 0) << "a found pair leaves the memory";
    Turn(&memory, Q);
    EXPECT_EQ(Named(ChooseCard(memory, Always(0))), "1,0") << "(0,0) is known, not the mate";
    for (int index = 0; index < 16; ++index)
        if (FaceUp[index % 4][index / 4] == 0)
            memory.See({index % 4, index / 4}, Board[index % 4][index / 4], Always(0));
    EXPECT_EQ(Named(ChooseCard(memory, Always(0))), "2,3") << "Q's mate";
}

// Another's miss stays up a second; 0.7 s before a card, a second after the computer's pair.
TEST(ComputerPace, EachMomentItsMoveAndWait) {
    const std::pair<TurnMoment, ComputerStep> cases[] = {
        {{false, false, true, false}, {ComputerMove::None, 0}}, // a person's turn
        {{true, true, false, true}, {ComputerMove::None, 0}},   // the last pair found
        {{true, false, true, false}, {ComputerMove::TurnBack, 1000}},
        {{true, false, false, false}, {ComputerMove::TurnCard, 700}},
        {{true, false, false, true}, {ComputerMove::TurnCard, 1000}},
    };
    for (const auto& c : cases) {
        const ComputerStep step = NextComputerStep(c.first);
        EXPECT_EQ(int(step.Move) * 10000 + step.DelayMs, int(c.second.Move) * 10000 + c.second.DelayMs)
            << &c - cases;
    }
}

} // namespace
