// A picture surface drawn across the back buffer's edge, read back pixel by pixel: the part
// inside shows the matching part of the picture, and nothing is drawn outside.
#include <gtest/gtest.h>

#include "engine/Graphics.h"
#include "engine/ImageS.h"
#include "tests/win/WinTestSupport.h"

namespace {

const uint32_t Background = 0x202020;
const uint32_t Quadrants[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}; // TL, TR, BL, BR

TEST(Graphics, DrawAcrossTheEdgeShowsTheMatchingPart) {
    ScopedGame game;
    yw::TempFolder folder;
    yw::WriteBmp(folder.File("q.bmp"), 200, 200, [](int x, int y) { return Quadrants[(y >= 100) * 2 + (x >= 100)]; });
    ImageS image(200, 200, folder.File("q.bmp").c_str());
    ASSERT_NE(image.Surface, nullptr);
    const struct {
        RECT Place;
        POINT Inside[2];
        uint32_t Shows;
        POINT Outside;
    } cases[] = {
        {{700, 500, 900, 700}, {{700, 500}, {799, 599}}, Quadrants[0], {699, 550}}, // right and bottom edges
        {{-100, 300, 100, 500}, {{0, 301}, {99, 399}}, Quadrants[1], {100, 400}},   // left edge
        {{300, -100, 500, 100}, {{300, 0}, {399, 99}}, Quadrants[2], {350, 100}},   // top edge
    };
    for (const auto& c : cases) {
        FillBackBuffer(Background);
        image.Draw(&c.Place);
        BackBufferPixels pixels;
        for (const POINT& point : c.Inside)
            EXPECT_EQ(pixels.At(point.x, point.y), c.Shows) << c.Place.left << "," << c.Place.top;
        EXPECT_EQ(pixels.At(c.Outside.x, c.Outside.y), Background) << c.Place.left << "," << c.Place.top;
    }
}

} // namespace
