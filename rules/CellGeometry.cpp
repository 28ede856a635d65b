#include "rules/CellGeometry.h"

#include <cstdint>

namespace {

// Rounded half up; a negative length, only by misuse, rounds toward zero's side.
int Scale(int length, int pixels, int lookLength) {
    return static_cast<int>((int64_t(length) * pixels * 2 + lookLength) / (int64_t(lookLength) * 2));
}

// Where cell `index` of `cells` starts along a board `pixels` long.
int CellStart(int index, int cells, int pixels) {
    return cells > 0 ? static_cast<int>(int64_t(index) * pixels / cells) : 0;
}

} // namespace

int AcrossBoard(int length, int pixels) {
    return Scale(length, pixels, LookWidth);
}

int DownBoard(int length, int pixels) {
    return Scale(length, pixels, LookHeight);
}

PixelRect CardRect(const BoardGrid& grid, int column, int row) {
    return {CellStart(column, grid.Columns, grid.Width) + AcrossBoard(CardGap, grid.Width),
            CellStart(row, grid.Rows, grid.Height) + DownBoard(CardGap, grid.Height),
            CellStart(column + 1, grid.Columns, grid.Width), CellStart(row + 1, grid.Rows, grid.Height)};
}

PixelSize LargestCard(const BoardGrid& grid) {
    PixelSize largest = {0, 0};
    for (int i = 0; i < grid.Columns || i < grid.Rows; ++i) {
        const PixelRect card = CardRect(grid, i, i);
        if (i < grid.Columns && card.Right - card.Left > largest.Width)
            largest.Width = card.Right - card.Left;
        if (i < grid.Rows && card.Bottom - card.Top > largest.Height)
            largest.Height = card.Bottom - card.Top;
    }
    return largest;
}
