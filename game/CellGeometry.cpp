#include "game/CellGeometry.h"

PixelRect CellRect(int column, int row, int cellWidth, int cellHeight) {
    return {column * cellWidth + CardGap, row * cellHeight + CardGap, (column + 1) * cellWidth,
            (row + 1) * cellHeight};
}
