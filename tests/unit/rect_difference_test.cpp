#include "engine/RectDifference.h"

#include <gtest/gtest.h>

namespace {

bool Inside(const PixelRect& r, int x, int y) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

// Every pixel of `from` outside `cut` lies in exactly one part, and no other pixel in any.
TEST(RectDifference, PartsCoverWhatTheCutLeavesOnceAndNothingElse) {
    const struct {
        PixelRect From, Cut;
        int Parts;
    } cases[] = {
        {{2, 2, 12, 10}, {4, 2, 10, 10}, 2},   // a turning back narrowed: its two sides
        {{4, 2, 10, 10}, {2, 2, 12, 10}, 0},   // widened over what it was
        {{2, 2, 12, 10}, {4, 4, 8, 6}, 4},     // a hole in the middle
        {{2, 2, 12, 10}, {0, 0, 6, 20}, 1},    // the left part cut away
        {{2, 2, 12, 10}, {20, 20, 30, 30}, 1}, // apart
        {{2, 2, 12, 10}, {12, 2, 14, 10}, 1},  // touching edges only
        {{5, 5, 5, 9}, {0, 0, 20, 20}, 0},     // empty
    };
    for (const auto& c : cases) {
        PixelRect parts[4];
        const int count = RectDifference(c.From, c.Cut, parts);
        EXPECT_EQ(count, c.Parts) << c.Cut.Left << "," << c.Cut.Top;
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) {
                int covered = 0;
                for (int i = 0; i < count; ++i)
                    covered += Inside(parts[i], x, y);
                EXPECT_EQ(covered, Inside(c.From, x, y) && !Inside(c.Cut, x, y) ? 1 : 0) << x << "," << y;
            }
        }
    }
}

} // namespace
