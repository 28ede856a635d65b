#include "engine/WindowGeometry.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowGeometry, SizedFromTheClientAndCentredWithTruncation) {
    // Frame 3 x 5 (distinct, so a swap shows), caption 23, menu 19: an 800 x 600 client makes a
    // window 806 wide, and 652 high with the menu bar or 633 without.
    const struct {
        int ClientWidth, ClientHeight;
        bool HasMenu;
        int ScreenX, ScreenY;
        WindowPlacement Expected;
    } cases[] = {
        {800, 600, true, 1920, 1080, {557, 214, 806, 652}},
        {800, 600, false, 1920, 1080, {557, 223, 806, 633}},
        {300, 200, true, 1000, 1000, {347, 374, 306, 252}},
        {800, 600, true, 1025, 769, {109, 58, 806, 652}},  // odd leftovers: 219 / 2, 117 / 2
        {800, 600, true, 800, 652, {-3, 0, 806, 652}},     // 6 px wider than the screen
        {800, 600, true, 799, 645, {-3, -3, 806, 652}},    // -7 / 2 truncates toward zero
        {800, 600, false, 640, 480, {-83, -76, 806, 633}}, // -153 / 2 is -76, not -77
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "client " << c.ClientWidth << "x" << c.ClientHeight << ", screen "
                                        << c.ScreenX << "x" << c.ScreenY << ", menu " << c.HasMenu);
        const WindowMetrics metrics = {3, 5, 23, 19, c.ScreenX, c.ScreenY};
        const WindowPlacement placement = PlaceMainWindow(c.ClientWidth, c.ClientHeight, c.HasMenu, metrics);
        EXPECT_EQ(placement.Left, c.Expected.Left);
        EXPECT_EQ(placement.Top, c.Expected.Top);
        EXPECT_EQ(placement.Width, c.Expected.Width);
        EXPECT_EQ(placement.Height, c.Expected.Height);
    }
}

} // namespace
