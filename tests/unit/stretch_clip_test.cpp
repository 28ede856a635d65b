#include "engine/StretchClip.h"

#include <gtest/gtest.h>

#include "tests/unit/unit_support.h"

namespace {

const int BoundsWidth = 800;
const int BoundsHeight = 600;

TEST(StretchClip, CutCardShowsTheMatchingPartOfItsPicture) {
    const struct {
        const char* Why;
        PixelRect Wanted;
        int SourceWidth, SourceHeight;
        const char* Destination;
        const char* Source;
    } cases[] = {
        {"inside", {4, 4, 200, 150}, 200, 150, "4,4 to 200,150", "0,0 to 200,150"},
        {"the whole buffer", {0, 0, 800, 600}, 203, 153, "0,0 to 800,600", "0,0 to 203,153"},
        // An 800 x 600 client at level 1 gives a 203 x 153 pitch: the last card passes the buffer.
        // 187 * 203 / 199 = 190.8; 137 * 153 / 149 = 140.7
        {"over the right and bottom", {613, 463, 812, 612}, 203, 153, "613,463 to 800,600", "0,0 to 191,141"},
        {"over the left and top", {-50, -20, 150, 180}, 100, 100, "0,0 to 150,180", "25,10 to 100,100"},
    };
    for (const auto& c : cases) {
        PixelRect destination = {};
        PixelRect source = {};
        ASSERT_TRUE(ClipStretch(c.Wanted, c.SourceWidth, c.SourceHeight, BoundsWidth, BoundsHeight,
                                &destination, &source))
            << c.Why;
        EXPECT_EQ(Edges(destination), c.Destination) << c.Why;
        EXPECT_EQ(Edges(source), c.Source) << c.Why;
    }
    // Nothing shows: just past an edge, empty, inverted, or an empty source.
    const struct {
        PixelRect Wanted;
        int SourceWidth, SourceHeight;
    } refused[] = {{{800, 100, 900, 200}, 9, 9}, {{100, 600, 200, 700}, 9, 9}, {{-100, 100, 0, 200}, 9, 9},
                   {{100, -100, 200, 0}, 9, 9},  {{10, 10, 10, 50}, 9, 9},    {{60, 60, 40, 80}, 9, 9},
                   {{0, 0, 10, 10}, 0, 9}};
    for (const auto& c : refused) {
        PixelRect d = {};
        PixelRect s = {};
        EXPECT_FALSE(ClipStretch(c.Wanted, c.SourceWidth, c.SourceHeight, BoundsWidth, BoundsHeight, &d, &s))
            << Edges(c.Wanted);
    }
}

} // namespace
