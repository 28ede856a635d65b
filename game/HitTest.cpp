#include "game/HitTest.h"

#include <cstdint>

#include "game/CellGeometry.h"

namespace {

// The board unit under a pixel's centre, as the drawing rounds edges: a pixel belongs to the span
// whose first edge x * pixels / units rounds to at most it, that is x < (pixel + 1/2) * units / pixels.
int UnitAt(int pixel, int pixels, int units) {
    return static_cast<int>(((2 * static_cast<int64_t>(pixel) + 1) * units - 1) / (2 * static_cast<int64_t>(pixels)));
}

} // namespace

bool HitTestCell(int x, int y, int clientWidth, int clientHeight, const DrawnGrid& grid, Cell* cell) {
    if (x < 0 || y < 0 || x >= clientWidth || y >= clientHeight)
        return false;
    if (grid.CellWidth <= 0 || grid.CellHeight <= 0)
        return false;
    const int column = UnitAt(x, clientWidth, BoardUnitsWidth) / grid.CellWidth;
    const int row = UnitAt(y, clientHeight, BoardUnitsHeight) / grid.CellHeight;
    if (column >= grid.Columns || row >= grid.Rows)
        return false;
    cell->Column = column;
    cell->Row = row;
    return true;
}
