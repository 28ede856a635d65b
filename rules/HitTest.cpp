#include "rules/HitTest.h"

#include <cstdint>

namespace {

// The cell along one side whose span holds the pixel: the last cell c whose start
// c * pixels / cells (rounded down) is at most it, that is c * pixels < (pixel + 1) * cells.
int CellIndexAt(int pixel, int pixels, int cells) {
    return static_cast<int>(((int64_t(pixel) + 1) * cells - 1) / pixels);
}

} // namespace

bool HitTestCell(int x, int y, const BoardGrid& grid, Cell* cell) {
    if (x < 0 || y < 0 || x >= grid.Width || y >= grid.Height || grid.Columns <= 0 || grid.Rows <= 0)
        return false;
    cell->Column = CellIndexAt(x, grid.Width, grid.Columns);
    cell->Row = CellIndexAt(y, grid.Height, grid.Rows);
    return true;
}
