#include "engine/WindowGeometry.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Wine's metrics at 96 DPI on a 1920x1080 screen; what AdjustWindowRectExForDpi gives the game's
// styles at 96, 144 and 192 DPI.
const WindowMetrics Metrics96 = {3, 3, 19, 19, 1920, 1080};
const FrameSize Frames[] = {{12, 50}, {16, 68}, {20, 86}}; // by 96, 144, 192

// At 96 DPI the window is today's, centred on the screen; at more its client grows with the DPI,
// but only as far as the work area lets it keep its shape, and never below today's, centred in
// the work area (here a taskbar of 40 pixels at the top).
TEST(WindowGeometry, TheClientScalesWithTheDpiWithinTheWorkArea) {
    const struct {
        int Dpi, WorkWidth, WorkHeight, ClientWidth, ClientHeight;
    } cases[] = {
        {96, 1920, 1040, 794, 594},    {96, 400, 300, 794, 594},     {144, 1920, 1040, 1191, 891},
        {192, 2560, 1400, 1588, 1188}, {192, 1920, 1040, 1275, 954}, {192, 1920, 900, 1088, 814},
        {192, 1920, 600, 794, 594},    {144, 1000, 1040, 984, 736},
    };
    for (const auto& c : cases) {
        const FrameSize frame = Frames[(c.Dpi - 96) / 48];
        const WindowPlacement placed = PlaceMainWindowForDpi(800, 600, true, Metrics96, Frames[0], frame,
                                                             c.Dpi, {0, 40, c.WorkWidth, c.WorkHeight});
        EXPECT_EQ(placed.Width - frame.Width, c.ClientWidth)
            << c.Dpi << " in " << c.WorkWidth << "x" << c.WorkHeight;
        EXPECT_EQ(placed.Height - frame.Height, c.ClientHeight)
            << c.Dpi << " in " << c.WorkWidth << "x" << c.WorkHeight;
        const WorkArea centre =
            c.Dpi == 96 ? WorkArea{0, 0, 1920, 1080} : WorkArea{0, 40, c.WorkWidth, c.WorkHeight};
        EXPECT_LE(std::abs(placed.Left * 2 + placed.Width - (centre.Left * 2 + centre.Width)), 1) << c.Dpi;
        EXPECT_LE(std::abs(placed.Top * 2 + placed.Height - (centre.Top * 2 + centre.Height)), 1) << c.Dpi;
    }
}

} // namespace
