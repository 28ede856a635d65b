#include "rules/Deal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "rules/GameState.h"

// A level outside 1 to 7 (a hostile stored value) keeps the grid there was; the later levels
// keep the first four's numbers, and a folder must hold 18 pictures or one a pair beyond.
TEST(Deal, LevelChoosesTheGridAndAnUnknownLevelKeepsIt) {
    const int cases[][4] = {{1, 4, 4, 18}, {2, 5, 4, 18}, {3, 6, 5, 18}, {4, 6, 6, 18}, {0, 6, 6, 18},
                            {5, 2, 3, 18}, {8, 2, 3, 18}, {6, 3, 4, 18}, {7, 8, 8, 32}, {-1, 8, 8, 18}};
    for (const auto& c : cases) {
        ApplyLevel(c[0]);
        EXPECT_EQ(Rows * 10 + Columns, c[1] * 10 + c[2]) << "level " << c[0];
        EXPECT_EQ(PicturesForLevel(c[0]), size_t(c[3])) << "level " << c[0];
    }
}

// Each number 1..pairs stands on exactly two cells inside the grid, face down, and nothing
// stands outside, whatever the last round left on the board.
TEST(Deal, EveryPairTwiceInsideTheGridAtEveryLevel) {
    for (int level = 1; level <= LevelCount; ++level) {
        for (unsigned seed = 1; seed <= 50; ++seed) {
            std::fill(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, 7);
            std::fill(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 1);
            ApplyLevel(level);
            ClearBoard();
            std::mt19937 random(seed);
            DealPairs([&random] { return static_cast<int>(random() & 0x7FFF); });
            // The numbers inside the grid, then those outside and the cards up.
            std::vector<int> dealt, expected;
            for (int cell = 0; cell < MaxGridSide * MaxGridSide; ++cell)
                if (cell % MaxGridSide < Rows && cell / MaxGridSide < Columns)
                    dealt.push_back(Board[cell / MaxGridSide][cell % MaxGridSide]);
            for (int number = 1; number <= PairCount(); ++number)
                expected.insert(expected.end(), 2, number);
            std::sort(dealt.begin(), dealt.end());
            dealt.push_back(std::count(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, 0) +
                            std::count(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 1));
            expected.push_back(MaxGridSide * MaxGridSide - Rows * Columns);
            EXPECT_EQ(dealt, expected) << "level " << level << ", seed " << seed;
        }
    }
}
