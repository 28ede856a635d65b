#include "rules/BoardColours.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

const SystemColours System = {0x111111, 0x222222, 0x333333, 0x444444, 0x555555, 0x666666};

TEST(BoardColours, HighContrastTakesTheSystemsColoursElseTheGamesOwn) {
    const auto tie = [](const BoardColours& c) {
        return std::make_tuple(c.Background, c.CardBack, c.CardBackFramed, c.CardBackFrame,
                               c.FocusInSystemColour, c.Focus, c.Text);
    };
    EXPECT_EQ(tie(ChooseBoardColours(false, System)),
              std::make_tuple(0x000000u, 0xC483FFu, false, 0u, false, 0u, 0xFFFFFFu));
    EXPECT_EQ(tie(ChooseBoardColours(true, System)),
              std::make_tuple(0x111111u, 0x222222u, true, 0x333333u, true, 0x444444u, 0x666666u));
}

TEST(BoardColours, FoundPairsFramedInTheFindersColourOnlyWhenTwoOrMorePlay) {
    const struct {
        bool HighContrast;
        int Players, Finder;
        bool Framed;
        uint32_t Colour;
    } cases[] = {
        {false, 2, 0, true, 0x0072B2}, {false, 2, 1, true, 0xE69F00}, {false, 4, 2, true, 0x009E73},
        {false, 4, 3, true, 0xCC79A7}, {true, 3, 1, true, 0x555555},  {false, 1, 0, false, 0},
        {true, 1, 0, false, 0},        {false, 2, -1, false, 0},      {false, 2, 2, false, 0},
    };
    for (const auto& c : cases) {
        uint32_t colour = 0;
        EXPECT_EQ(FoundFrameColour(ChooseBoardColours(c.HighContrast, System), c.Players, c.Finder, &colour),
                  c.Framed);
        EXPECT_EQ(colour, c.Colour) << c.Players << " players, seat " << c.Finder;
    }
}

} // namespace
