#include "game/Shuffle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/unit/unit_support.h"

namespace {

std::vector<std::string> Numbered(size_t count) {
    std::vector<std::string> list;
    for (size_t i = 0; i < count; ++i)
        list.push_back(std::to_string(i));
    return list;
}

// The dealing draws after the shuffle from the same generator, so the shuffle's count decides the
// deal: one draw per position below 32768 entries, two for a position that needs 16 bits.
TEST(Shuffle, DrawsOncePerPositionAfterTheFirstAndKeepsEveryEntry) {
    const struct {
        size_t Entries, Draws;
    } cases[] = {{0, 0},      {1, 0},       {2, 1},         {3, 2},        {18, 17},
                 {1000, 999}, {4096, 4095}, {32767, 32766}, {32768, 32768}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Entries);
        std::vector<std::string> list = Numbered(c.Entries);
        ScriptedDraw draw({}, static_cast<unsigned>(c.Entries));
        ShuffleList(list, draw.Draw());
        EXPECT_EQ(draw.Count(), c.Draws);
        std::vector<std::string> expected = Numbered(c.Entries);
        std::sort(list.begin(), list.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(list, expected);
    }
}

// Position k swaps with draw modulo k + 1; only the low 15 bits of a draw count.
TEST(Shuffle, ScriptedDrawsGiveTheirOrder) {
    const struct {
        std::vector<int> Draws;
        std::vector<std::string> Expected;
    } cases[] = {
        {{1, 4}, {"P", "R", "Q"}},                // 1 swaps with itself, then 2 with 4 % 3 = 1
        {{0, 0}, {"R", "P", "Q"}},                // each swaps with the first
        {{1, 0x8000}, {"R", "Q", "P"}},           // 0x8000 is 0 in 15 bits, but 2 modulo 3 in 16
        {{0x7FFF0001, 0x40004}, {"P", "R", "Q"}}, // high bits set: as 1 and 4
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.Draws));
        std::vector<std::string> list = {"P", "Q", "R"};
        ScriptedDraw draw(c.Draws);
        ShuffleList(list, draw.Draw());
        EXPECT_EQ(list, c.Expected);
    }
}

// A position beyond 15 bits draws twice, the first draw giving the high bits.
TEST(Shuffle, PositionBeyond15BitsCombinesTwoDraws) {
    std::vector<int> script(32766, 0);         // positions 1 to 32766 each swap with the first
    script.insert(script.end(), {0, 0, 1, 5}); // 32767: 0 % 32768; 32768: (1 << 15 | 5) % 32769 = 4
    std::vector<std::string> list = Numbered(32769);
    ScriptedDraw draw(script);
    ShuffleList(list, draw.Draw());
    EXPECT_EQ(draw.Count(), script.size());
    EXPECT_EQ(list[0], "32767");
    EXPECT_EQ(list[4], "32768");
    EXPECT_EQ(list[32768], "3");
}

} // namespace
