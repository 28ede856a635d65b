#include "game/HitTest.h"

#include <gtest/gtest.h>

#include <set>

#include "game/CellGeometry.h"
#include "game/Deal.h"

namespace {

// The card drawn at pixel x of `pixels` along one axis, its gap included; -1 beyond the last card.
int DrawnIndexAt(int x, int pixels, int cells, int pitch, bool horizontal) {
    for (int i = 0; i < cells; ++i) {
        const PixelRect units = horizontal ? CellRect(i, 0, pitch, 1) : CellRect(0, i, 1, pitch);
        const PixelRect r = BoardToPixels({units.Left - CardGap, units.Top - CardGap, units.Right, units.Bottom},
                                          horizontal ? pixels : 800, horizontal ? 600 : pixels);
        const int first = horizontal ? r.Left : r.Top;
        const int last = horizontal ? r.Right : r.Bottom;
        if (x >= first && x < last)
            return i;
    }
    return -1;
}

// Every client point, at every level and several window sizes, hits the card that the drawing put
// under it on a back buffer of the client's size; points off the grid or outside the client hit
// nothing.
TEST(HitTest, AClickLandsOnTheCardDrawnUnderThePointer) {
    const struct { int Width, Height; } clients[] = {{788, 549}, {800, 600}, {1200, 900}, {401, 299},
                                                     {1191, 849}, {1600, 1200}, {3840, 2160}};
    for (const auto& client : clients) {
        for (int level = 1; level <= 4; ++level) {
            DrawnGrid grid = {0, 0, 0, 0};
            GridForLevel(level, &grid.Rows, &grid.Columns);
            const DealClient deal = ClampDealClient(client.Width, client.Height);
            grid.CellWidth = CellPitch(deal.Width, grid.Columns);
            grid.CellHeight = CellPitch(deal.Height, grid.Rows);
            int wrong = 0;
            for (int x = -1; x <= client.Width; ++x) {
                const int y = x * client.Height / client.Width; // a diagonal crosses every row too
                const int column = DrawnIndexAt(x, client.Width, grid.Columns, grid.CellWidth, true);
                const int row = DrawnIndexAt(y, client.Height, grid.Rows, grid.CellHeight, false);
                const bool inside = x >= 0 && x < client.Width && y >= 0 && y < client.Height;
                const Cell drawn = inside && column >= 0 && row >= 0 ? Cell{column, row} : NoCell;
                Cell cell = {-9, -9};
                const bool hit = HitTestCell(x, y, client.Width, client.Height, grid, &cell);
                wrong += hit != !IsNone(drawn) || (hit && !SameCell(cell, drawn));
            }
            Cell cell = {-9, -9};
            wrong += HitTestCell(65535, 65535, client.Width, client.Height, grid, &cell); // captured
            EXPECT_EQ(wrong, 0) << client.Width << "x" << client.Height << " level " << level;
            // Every card's picture is made at the largest card size: each card is that, or a pixel less.
            const PixelSize largest =
                LargestCard(grid.Columns, grid.Rows, grid.CellWidth, grid.CellHeight, client.Width, client.Height);
            std::set<int> widths, heights;
            for (int i = 0; i < grid.Columns * grid.Rows; ++i) {
                const PixelRect card = BoardToPixels(CellRect(i % grid.Columns, i / grid.Columns, grid.CellWidth,
                                                              grid.CellHeight), client.Width, client.Height);
                widths.insert(largest.Width - (card.Right - card.Left));
                heights.insert(largest.Height - (card.Bottom - card.Top));
            }
            EXPECT_EQ(*widths.begin() * 10 + *heights.begin(), 0) << client.Width << "x" << client.Height;
            EXPECT_LE(*widths.rbegin() * 10 + *heights.rbegin(), 11) << client.Width << "x" << client.Height;
        }
    }
}

} // namespace
