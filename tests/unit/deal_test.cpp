#include "game/Deal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "game/GameState.h"
#include "tests/unit/unit_support.h"

namespace {

class Deal : public testing::Test {
protected:
    void SetUp() override { ResetGameState(); }
};

TEST_F(Deal, LevelChoosesTheGridAndAnUnknownLevelKeepsIt) {
    const struct { int Level, Rows, Columns; } known[] = {{1, 4, 4}, {2, 5, 4}, {3, 6, 5}, {4, 6, 6}};
    for (const auto& c : known) {
        int rows = 0;
        int columns = 0;
        EXPECT_TRUE(GridForLevel(c.Level, &rows, &columns));
        ApplyLevel(c.Level);
        EXPECT_EQ(std::make_pair(rows, columns), std::make_pair(c.Rows, c.Columns)) << c.Level;
        EXPECT_EQ(std::make_pair(Rows, Columns), std::make_pair(c.Rows, c.Columns)) << c.Level;
    }
    for (int level : {0, 5, 7, -1}) {
        int rows = -9;
        int columns = -9;
        EXPECT_FALSE(GridForLevel(level, &rows, &columns)) << level;
        EXPECT_EQ(std::make_pair(rows, columns), std::make_pair(-9, -9)) << level;
        ResetGameState(); // before any deal: 4 x 4
        ApplyLevel(level);
        EXPECT_EQ(std::make_pair(Rows, Columns), std::make_pair(4, 4)) << level;
        ApplyLevel(3);
        ApplyLevel(level);
        EXPECT_EQ(std::make_pair(Rows, Columns), std::make_pair(6, 5)) << level;
    }
}

// Levels 1 to 4 on clients of 800 x 600 and 788 x 588.
TEST(DealLayout, CellPitchIsThatOfAClient12PixelsLarger) {
    const struct {
        int Length, Cells, Pitch;
    } cases[] = {
        {800, 4, 203}, {600, 4, 153}, {600, 5, 122}, {800, 5, 162}, {600, 6, 102}, {800, 6, 135},
        {788, 4, 200}, {588, 4, 150}, {588, 5, 120}, {788, 5, 160}, {588, 6, 100}, {788, 6, 133},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CellPitch(c.Length, c.Cells), c.Pitch) << c.Length << " / " << c.Cells;
}

// The back buffer is 800 x 600: a larger (maximised) client is laid out as at most that, an empty
// (minimised) one as exactly that.
TEST(DealLayout, ClampDealClient) {
    const struct {
        int Width, Height, ExpectedWidth, ExpectedHeight;
    } cases[] = {{800, 600, 800, 600},  {788, 588, 788, 588}, {1, 1, 1, 1},       {1280, 1000, 800, 600},
                 {1280, 400, 800, 400}, {300, 900, 300, 600}, {0, 0, 800, 600},   {0, 600, 800, 600},
                 {800, 0, 800, 600},    {-5, -5, 800, 600},   {-5, 400, 800, 600}};
    for (const auto& c : cases) {
        const DealClient client = ClampDealClient(c.Width, c.Height);
        EXPECT_EQ(client.Width, c.ExpectedWidth) << c.Width << "x" << c.Height;
        EXPECT_EQ(client.Height, c.ExpectedHeight) << c.Width << "x" << c.Height;
    }
}

// Each number 1..pairs stands on exactly two cells of the dealt grid; 0 everywhere else.
testing::AssertionResult DealtBoardIsWhole() {
    std::vector<int> seen(PairCount() + 1, 0);
    for (int column = 0; column < MaxGridSide; ++column) {
        for (int row = 0; row < MaxGridSide; ++row) {
            const int number = Board[column][row];
            if (column < Columns && row < Rows && number >= 1 && number <= PairCount())
                ++seen[number];
            else if (number != 0)
                return testing::AssertionFailure() << number << " at " << column << "," << row;
        }
    }
    for (int number = 1; number <= PairCount(); ++number)
        if (seen[number] != 2)
            return testing::AssertionFailure() << "number " << number << " on " << seen[number] << " cells";
    return testing::AssertionSuccess();
}

// Each deal starts from whatever the last round left: a full board, found cards, a miss up.
TEST_F(Deal, EveryNumberTwiceInsideTheGridAtEveryLevel) {
    for (int level = 1; level <= 4; ++level) {
        for (unsigned seed = 1; seed <= 50; ++seed) {
            SCOPED_TRACE(testing::Message() << "level " << level << ", seed " << seed);
            std::fill(&Board[0][0], &Board[0][0] + MaxGridSide * MaxGridSide, 7);
            std::fill(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 1);
            FirstPick = {1, 2};
            SecondPick = {3, 0};
            Tries = PairsFound = 5;
            ApplyLevel(level);
            ClearBoard();
            ScriptedDraw draw({}, seed);
            DealPairs(draw.Draw());
            ResetTry();
            EXPECT_TRUE(DealtBoardIsWhole());
            EXPECT_EQ(std::count(&FaceUp[0][0], &FaceUp[0][0] + MaxGridSide * MaxGridSide, 0), 36);
            EXPECT_TRUE(FirstPick.Column == -1 && FirstPick.Row == -1 && SecondPick.Column == -1 &&
                        SecondPick.Row == -1);
            EXPECT_TRUE(Tries == 0 && PairsFound == 0);
        }
    }
}

// Board is [column][row]; each placement draws the column first and draws again on a taken cell.
TEST_F(Deal, ScriptedPlacementsDrawColumnThenRowAndRetry) {
    ScriptedDraw draw({5, 6, 1, 2, 4, 3});
    DealPairs(draw.Draw());
    EXPECT_EQ(Board[1][2], 1);
    EXPECT_EQ(Board[0][3], 2);
    EXPECT_TRUE(DealtBoardIsWhole());
}

} // namespace
