// A picture surface drawn across the back buffer's edge, read back: the part inside shows the
// matching part of the picture, and nothing is drawn outside.
#include <gtest/gtest.h>

#include "engine/ImageS.h"
#include "tests/win/WinTestSupport.h"

TEST(Graphics, DrawAcrossTheEdgeShowsTheMatchingPart) {
    const uint32_t quadrants[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00}; // TL, TR, BL, BR
    ScopedGame game;
    yw::TempFolder folder;
    yw::WriteBmp(folder.File("q.bmp"), 200, 200,
                 [&](int x, int y) { return quadrants[(y >= 100) * 2 + (x >= 100)]; });
    ImageS image(200, 200, folder.File("q.bmp").c_str());
    const struct {
        RECT Place;
        int Points[6]; // two inside, then one just outside, as x and y
        uint32_t Shows;
    } cases[] = {
        {{700, 500, 900, 700}, {700, 500, 799, 599, 699, 550}, quadrants[0]}, // right and bottom edges
        {{-100, 300, 100, 500}, {0, 301, 99, 399, 100, 400}, quadrants[1]},   // left edge
        {{300, -100, 500, 100}, {300, 0, 399, 99, 350, 100}, quadrants[2]},   // top edge
    };
    for (const auto& c : cases) {
        FillBackBuffer(0x202020);
        image.Draw(&c.Place);
        EXPECT_EQ(std::to_string(BackBufferPixel(c.Points[0], c.Points[1])) + " " +
                      std::to_string(BackBufferPixel(c.Points[2], c.Points[3])) + " " +
                      std::to_string(BackBufferPixel(c.Points[4], c.Points[5])),
                  std::to_string(c.Shows) + " " + std::to_string(c.Shows) + " " + std::to_string(0x202020))
            << c.Place.left << "," << c.Place.top;
    }
}
