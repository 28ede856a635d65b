#include "engine/StretchClip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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
}

// A card just past an edge of the back buffer; the random rectangles below seldom hit the edges.
TEST(StretchClip, CardJustOutsideIsRefused) {
    PixelRect d = {};
    PixelRect s = {};
    for (const PixelRect& outside : {PixelRect{800, 100, 900, 200}, PixelRect{100, 600, 200, 700},
                                     PixelRect{-100, 100, 0, 200}, PixelRect{100, -100, 200, 0}})
        EXPECT_FALSE(ClipStretch(outside, 100, 100, BoundsWidth, BoundsHeight, &d, &s)) << Edges(outside);
}

// Whatever is asked, a copy stays inside the back buffer and the surface, is never empty, and
// keeps the source in proportion to within a pixel; it is refused only when nothing shows:
// an empty, flat or inverted destination, one wholly outside, or an empty source.
TEST(StretchClip, ClippedCopyStaysInBoundsAndInProportion) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> edge(-1200, 2000);
    std::uniform_int_distribution<int> length(-1, 400);
    int drawn = 0;
    for (int i = 0; i < 20000; ++i) {
        const PixelRect wanted = {edge(random), edge(random), edge(random), edge(random)};
        const int sourceWidth = length(random);
        const int sourceHeight = length(random);
        const bool shows = sourceWidth > 0 && sourceHeight > 0 && wanted.Left < wanted.Right &&
                           wanted.Top < wanted.Bottom && wanted.Right > 0 && wanted.Bottom > 0 &&
                           wanted.Left < BoundsWidth && wanted.Top < BoundsHeight;
        SCOPED_TRACE(Edges(wanted) + " from " + std::to_string(sourceWidth) + "x" +
                     std::to_string(sourceHeight));
        PixelRect d = {};
        PixelRect s = {};
        ASSERT_EQ(ClipStretch(wanted, sourceWidth, sourceHeight, BoundsWidth, BoundsHeight, &d, &s), shows);
        if (!shows)
            continue;
        ++drawn;
        ASSERT_TRUE(std::max(0, wanted.Left) == d.Left && d.Right == std::min(BoundsWidth, wanted.Right));
        ASSERT_TRUE(std::max(0, wanted.Top) == d.Top && d.Bottom == std::min(BoundsHeight, wanted.Bottom));
        ASSERT_TRUE(0 <= s.Left && s.Left < s.Right && s.Right <= sourceWidth);
        ASSERT_TRUE(0 <= s.Top && s.Top < s.Bottom && s.Bottom <= sourceHeight);
        const double scaleX = double(sourceWidth) / (wanted.Right - wanted.Left);
        const double scaleY = double(sourceHeight) / (wanted.Bottom - wanted.Top);
        ASSERT_NEAR(s.Left, (d.Left - wanted.Left) * scaleX, 1.0);
        ASSERT_NEAR(s.Right, (d.Right - wanted.Left) * scaleX, 1.0);
        ASSERT_NEAR(s.Top, (d.Top - wanted.Top) * scaleY, 1.0);
        ASSERT_NEAR(s.Bottom, (d.Bottom - wanted.Top) * scaleY, 1.0);
    }
    EXPECT_GT(drawn, 500);
}

} // namespace
