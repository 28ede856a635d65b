// Where a card stands in the back buffer.
#pragma once

#include "engine/StretchClip.h"

// A card fills its cell but for a 4-pixel gap on its left and above it.
PixelRect CellRect(int column, int row, int cellWidth, int cellHeight);
