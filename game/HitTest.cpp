#include "game/HitTest.h"

#include <cstdint>

#include "engine/BackBufferSize.h"

bool HitTestCell(int x, int y, int clientWidth, int clientHeight, const DrawnGrid& grid, Cell* cell) {
    if (x < 0 || y < 0 || x >= clientWidth || y >= clientHeight)
        return false;
    if (grid.CellWidth <= 0 || grid.CellHeight <= 0)
        return false;
    // The cards were drawn into the back buffer; the client shows it stretched.
    const int bufferX = static_cast<int>(static_cast<int64_t>(x) * BackBufferWidth / clientWidth);
    const int bufferY = static_cast<int>(static_cast<int64_t>(y) * BackBufferHeight / clientHeight);
    const int column = bufferX / grid.CellWidth;
    const int row = bufferY / grid.CellHeight;
    if (column >= grid.Columns || row >= grid.Rows)
        return false;
    cell->Column = column;
    cell->Row = row;
    return true;
}
