#include "game/HitTest.h"

#include <gtest/gtest.h>

#include <utility>

#include "game/Deal.h"

namespace {

struct Grid {
    int Rows = 1, Columns = 1;
    explicit Grid(int level) { GridForLevel(level, &Rows, &Columns); }
};

// The pitch is client / cells + 4, measured at the click.
TEST(HitTest, MapsAPointToItsCell) {
    const struct {
        int Level, X, Y, Column, Row;
    } cases[] = {
        {4, 136, 103, 0, 0}, // pitch 137 x 104
        {4, 137, 104, 1, 1}, {4, 799, 599, 5, 5},
        {1, 203, 153, 0, 0}, // pitch 204 x 154
        {1, 204, 154, 1, 1}, {1, 799, 599, 3, 3},
        {1, 2, 2, 0, 0},     // the margin left of and above the first card
        {1, 205, 155, 1, 1}, // the gap left of and above card (1, 1) as drawn
        {3, 799, 599, 4, 5}, // 5 columns of 164, 6 rows of 104
        {2, 0, 599, 0, 4},   // 5 rows of 124
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "level " << c.Level << " at " << c.X << "," << c.Y);
        const Grid grid(c.Level);
        Cell cell = {-9, -9};
        ASSERT_TRUE(HitTestCell(c.X, c.Y, 800, 600, grid.Columns, grid.Rows, &cell));
        EXPECT_EQ(cell.Column, c.Column);
        EXPECT_EQ(cell.Row, c.Row);
    }
}

// A point outside the client can come with a captured mouse or after a resize; it must hit
// nothing, since only Columns x Rows of the 6 x 6 tables are dealt.
TEST(HitTest, EveryPointInsideTheClientLandsInTheGridAndNoPointOutside) {
    const struct { int Width, Height; } clients[] = {{800, 600}, {788, 588}, {1280, 1000}, {37, 23}, {1, 1}};
    for (const auto& client : clients) {
        for (int level = 1; level <= 4; ++level) {
            const Grid grid(level);
            Cell cell = {-9, -9};
            const auto hit = [&](int x, int y) {
                return HitTestCell(x, y, client.Width, client.Height, grid.Columns, grid.Rows, &cell);
            };
            int strays = 0;
            for (int x = 0; x < client.Width; ++x)
                for (int y = 0; y < client.Height; ++y)
                    strays += !hit(x, y) || cell.Column < 0 || cell.Column >= grid.Columns || cell.Row < 0 ||
                              cell.Row >= grid.Rows;
            const int w = client.Width;
            const int h = client.Height;
            const std::pair<int, int> outside[] = {{w, 0},     {w, h - 1},    {0, h},  {w - 1, h},
                                                   {w, h},     {-1, 0},       {0, -1}, {65535, 0},
                                                   {0, 65535}, {65535, 65535}};
            for (const auto& point : outside)
                strays += hit(point.first, point.second);
            EXPECT_EQ(strays, 0) << w << "x" << h << " level " << level;
        }
    }
}

} // namespace
