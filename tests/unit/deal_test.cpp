#include "game/Deal.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/unit/unit_support.h"

// A level outside 1 to 4 (a hostile stored value) keeps the grid there was.
TEST(Deal, LevelChoosesTheGridAndAnUnknownLevelKeepsIt) {
    const int cases[][3] = {{1, 4, 4}, {2, 5, 4}, {3, 6, 5},  {4, 6, 6},
                            {0, 6, 6}, {5, 6, 6}, {-1, 6, 6}, {2, 5, 4}};
    ResetGameState();
    for (const auto& c : cases) {
        ApplyLevel(c[0]);
        EXPECT_EQ(Rows * 10 + Columns, c[1] * 10 + c[2]) << "level " << c[0];
    }
}

// Each number 1..pairs stands on exactly two cells inside the grid, face down, and nothing
// stands outside, whatever the last round left on the board.
TEST(Deal, EveryPairTwiceInsideTheGridAtEveryLevel) {
    for (int level = 1; level <= 4; ++level) {
        for (unsigned seed = 1; seed <= 50; ++seed) {
            std::fill(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, 7);
            std::fill(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 1);
            ApplyLevel(level);
            ClearBoard();
            std::mt19937 random(seed);
            DealPairs([&random] { return static_cast<int>(random() & 0x7FFF); });
            // Cells by number: 0 outside the grid, then each picture, last the strays (a number
            // out of place or out of range, a card up).
            std::vector<int> cells(PairCount() + 2, 0), expected(PairCount() + 2, 2);
            for (int column = 0; column < MaxGridSide; ++column) {
                for (int row = 0; row < MaxGridSide; ++row) {
                    const int number = Board[column][row];
                    const bool inside = column < Columns && row < Rows;
                    const bool placed = inside ? number >= 1 && number <= PairCount() : number == 0;
                    ++cells[placed ? number : PairCount() + 1];
                    cells.back() += FaceUp[column][row];
                }
            }
            expected.front() = MaxGridSide * MaxGridSide - Rows * Columns;
            expected.back() = 0;
            EXPECT_EQ(cells, expected) << "level " << level << ", seed " << seed;
        }
    }
}
