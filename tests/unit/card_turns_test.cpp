#include "rules/CardTurns.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(CardTurns, TurningCardNarrowsToTheCentreLineThenWidensAsTheNewSide) {
    const struct {
        uint32_t Elapsed;
        int Left, Right;
        bool NewSide;
    } cases[] = {
        {0, 100, 200, false},  {40, 125, 175, false}, {79, 149, 151, false},  {80, 150, 150, true},
        {120, 125, 175, true}, {160, 100, 200, true}, {5000, 100, 200, true},
    };
    for (const auto& c : cases) {
        bool newSide = !c.NewSide;
        const PixelRect r = TurningCard({100, 50, 200, 130}, c.Elapsed, &newSide);
        EXPECT_EQ(std::make_tuple(r.Left, r.Top, r.Right, r.Bottom, newSide),
                  std::make_tuple(c.Left, 50, c.Right, 130, c.NewSide))
            << c.Elapsed;
    }
}

// A board of four cells: card 7 turned up on cell 1, then a second change while it turns.
TEST(CardTurns, AChangedCellTurnsFromWhatItShowedAndANewChangeEndsTheTurnUnderWay) {
    CardTurns turns;
    int image = -1;
    PixelRect drawn = {};
    const auto turning = [&](int cell, uint32_t now) {
        return turns.Turning(cell, now, {0, 0, 10, 10}, &image, &drawn);
    };
    const int dealt[] = {0, 0, 0, 0}, up[] = {0, 7, 0, 0}, two[] = {0, 7, 3, 0};
    turns.ShowAtOnce(dealt, 4);
    turns.Follow(up, 4, 1000, true);
    EXPECT_TRUE(turning(1, 1010) && image == 0) << "not the back first";
    EXPECT_TRUE(turning(1, 1100) && image == 7) << "not the face last";
    EXPECT_FALSE(turning(0, 1010)) << "an unchanged cell turned";
    EXPECT_TRUE(turns.Moving(1159) && !turns.Moving(1160));
    turns.Follow(up, 4, 1020, true);
    EXPECT_TRUE(turning(1, 1030)) << "an unchanged board ended a turn";
    turns.Follow(two, 4, 1040, true);
    EXPECT_FALSE(turning(1, 1050)) << "a second card taken mid-turn left the first turning";
    EXPECT_TRUE(turning(2, 1050));
}

} // namespace
