#include "game/Deal.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/unit/unit_support.h"

namespace {

// A level outside 1 to 4 (a hostile stored value) keeps the grid there was.
TEST(Deal, LevelChoosesTheGridAndAnUnknownLevelKeepsIt) {
    const struct {
        int Level, Rows, Columns;
    } cases[] = {{1, 4, 4}, {2, 5, 4}, {3, 6, 5}, {4, 6, 6}, {0, 6, 6}, {5, 6, 6}, {-1, 6, 6}, {2, 5, 4}, {7, 5, 4}};
    ResetGameState();
    for (const auto& c : cases) {
        ApplyLevel(c.Level);
        EXPECT_EQ(Rows, c.Rows) << c.Level;
        EXPECT_EQ(Columns, c.Columns) << c.Level;
    }
}

// Each number 1..pairs stands on exactly two cells inside the grid and nothing outside, whatever
// the last round left on the board.
TEST(Deal, EveryPairTwiceInsideTheGridAtEveryLevel) {
    for (int level = 1; level <= 4; ++level) {
        for (unsigned seed = 1; seed <= 50; ++seed) {
            SCOPED_TRACE(testing::Message() << "level " << level << ", seed " << seed);
            std::fill(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, 7);
            std::fill(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 1);
            ApplyLevel(level);
            ClearBoard();
            std::mt19937 random(seed);
            DealPairs([&random] { return static_cast<int>(random() & 0x7FFF); });
            std::vector<int> cells(PairCount() + 1, 0);
            for (int column = 0; column < MaxGridSide; ++column) {
                for (int row = 0; row < MaxGridSide; ++row) {
                    const int number = Board[column][row];
                    const bool inside = column < Columns && row < Rows;
                    ASSERT_TRUE(inside ? number >= 1 && number <= PairCount() : number == 0) << column << "," << row;
                    ++cells[number];
                    EXPECT_EQ(FaceUp[column][row], 0);
                }
            }
            for (int number = 1; number <= PairCount(); ++number)
                EXPECT_EQ(cells[number], 2) << "number " << number;
        }
    }
}

} // namespace
