#include "game/CellGeometry.h"

PixelRect CellRect(int column, int row, int cellWidth, int cellHeight) {
    return {column * cellWidth + 4, row * cellHeight + 4, (column + 1) * cellWidth, (row + 1) * cellHeight};
}
