#include "game/HitTest.h"

#include <gtest/gtest.h>

#include "engine/BackBufferSize.h"
#include "game/CellGeometry.h"
#include "game/Deal.h"

namespace {

// The card drawn at back-buffer x along one axis, its gap included; -1 beyond the last card.
int DrawnIndexAt(int bufferX, int cells, int pitch, bool horizontal) {
    for (int i = 0; i < cells; ++i) {
        const PixelRect r = horizontal ? CellRect(i, 0, pitch, 1) : CellRect(0, i, 1, pitch);
        const int first = (horizontal ? r.Left : r.Top) - CardGap;
        const int last = horizontal ? r.Right : r.Bottom;
        if (bufferX >= first && bufferX < last)
            return i;
    }
    return -1;
}

// Every client point, at every level and several window sizes, hits the card that the drawing put
// under it once Present has stretched the back buffer over the client; points off the grid or
// outside the client hit nothing.
TEST(HitTest, AClickLandsOnTheCardDrawnUnderThePointer) {
    const struct { int Width, Height; } clients[] = {{788, 549}, {800, 600}, {1200, 900}, {401, 299}};
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
                const int column =
                    DrawnIndexAt(x * BackBufferWidth / client.Width, grid.Columns, grid.CellWidth, true);
                const int row =
                    DrawnIndexAt(y * BackBufferHeight / client.Height, grid.Rows, grid.CellHeight, false);
                const bool inside = x >= 0 && x < client.Width && y >= 0 && y < client.Height;
                const Cell drawn = inside && column >= 0 && row >= 0 ? Cell{column, row} : NoCell;
                Cell cell = {-9, -9};
                const bool hit = HitTestCell(x, y, client.Width, client.Height, grid, &cell);
                wrong += hit != !IsNone(drawn) || (hit && !SameCell(cell, drawn));
            }
            Cell cell = {-9, -9};
            wrong += HitTestCell(65535, 65535, client.Width, client.Height, grid, &cell); // captured
            EXPECT_EQ(wrong, 0) << client.Width << "x" << client.Height << " level " << level;
        }
    }
}

} // namespace
