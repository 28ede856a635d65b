#include "game/CellGeometry.h"

#include <cstdint>

namespace {

// Rounded half up; units may be negative only by misuse, and then round toward zero's side.
int ScaleEdge(int units, int pixels, int unitsLength) {
    const int64_t twice = int64_t(units) * pixels * 2 + unitsLength;
    return static_cast<int>(twice / (int64_t(unitsLength) * 2));
}

} // namespace

PixelRect CellRect(int column, int row, int cellWidth, int cellHeight) {
    return {column * cellWidth + CardGap, row * cellHeight + CardGap, (column + 1) * cellWidth,
            (row + 1) * cellHeight};
}

PixelRect BoardToPixels(const PixelRect& units, int pixelWidth, int pixelHeight) {
    return {ScaleEdge(units.Left, pixelWidth, BoardUnitsWidth), ScaleEdge(units.Top, pixelHeight, BoardUnitsHeight),
            ScaleEdge(units.Right, pixelWidth, BoardUnitsWidth),
            ScaleEdge(units.Bottom, pixelHeight, BoardUnitsHeight)};
}

PixelSize LargestCard(int columns, int rows, int cellWidth, int cellHeight, int pixelWidth, int pixelHeight) {
    PixelSize largest = {0, 0};
    for (int i = 0; i < columns || i < rows; ++i) {
        const PixelRect card = BoardToPixels(CellRect(i, i, cellWidth, cellHeight), pixelWidth, pixelHeight);
        if (i < columns && card.Right - card.Left > largest.Width)
            largest.Width = card.Right - card.Left;
        if (i < rows && card.Bottom - card.Top > largest.Height)
            largest.Height = card.Bottom - card.Top;
    }
    return largest;
}
