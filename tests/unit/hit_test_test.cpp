#include "rules/HitTest.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Every grid (the levels' and others up to 8 by 8) on boards that lost the edge of their last column
// or row when the grid was laid out for 800 by 600 (794x594, odd sizes, a status bar's strip taken
// off) and on larger ones: every card lies inside the board, the last column and row end at its
// edges, each card is the largest card's size or a pixel less, and the gap before a card is the
// board's own. Every pixel of the diagonal hits the cell whose card or gap is drawn there.
TEST(BoardLayout, EveryCardWholeOnTheBoardAndClicksLandOnIt) {
    const struct {
        int Width, Height;
    } boards[] = {{794, 594},  {800, 600},  {794, 571},   {401, 299},
                  {1191, 849}, {1200, 877}, {3840, 2160}, {161, 121}};
    const struct { int Columns, Rows; } grids[] = {{4, 4}, {4, 5}, {5, 6}, {6, 6}, {3, 2}, {4, 3}, {8, 8}};
    for (const auto& board : boards) {
        for (const auto& size : grids) {
            const BoardGrid grid = {size.Columns, size.Rows, board.Width, board.Height};
            const PixelSize largest = LargestCard(grid);
            const PixelRect gap = CardRect(grid, 0, 0); // left of and above the first card
            int wrong = gap.Left < 1 || gap.Top < 1;
            for (int i = 0; i < size.Columns * size.Rows; ++i) {
                const int column = i % size.Columns, row = i / size.Columns;
                const PixelRect card = CardRect(grid, column, row),
                                next = CardRect(grid, column + 1, row + 1);
                wrong += card.Right - card.Left < largest.Width - 1 || card.Right - card.Left > largest.Width;
                wrong +=
                    card.Bottom - card.Top < largest.Height - 1 || card.Bottom - card.Top > largest.Height;
                wrong += column + 1 < size.Columns ? next.Left - card.Right != gap.Left
                                                   : card.Right != board.Width;
                wrong +=
                    row + 1 < size.Rows ? next.Top - card.Bottom != gap.Top : card.Bottom != board.Height;
            }
            for (int x = -1; x <= board.Width; ++x) {
                const int y = x * board.Height / board.Width;
                Cell drawn = NoCell, hit = NoCell;
                for (int i = 0; i < size.Columns * size.Rows; ++i) {
                    const PixelRect card = CardRect(grid, i % size.Columns, i / size.Columns);
                    if (x >= card.Left - gap.Left && x < card.Right && y >= card.Top - gap.Top &&
                        y < card.Bottom)
                        drawn = {i % size.Columns, i / size.Columns};
                }
                const bool inside = x >= 0 && x < board.Width && y >= 0 && y < board.Height;
                wrong += HitTestCell(x, y, grid, &hit) != inside || !SameCell(hit, drawn);
            }
            EXPECT_EQ(wrong, 0) << size.Columns << "x" << size.Rows << " on " << board.Width << "x"
                                << board.Height;
        }
    }
}

} // namespace
