// Where a card stands in the back buffer.
#pragma once

#include "engine/StretchClip.h"

// The background left of and above every card.
const int CardGap = 4;

// A card fills its cell but for the gap on its left and above it.
PixelRect CellRect(int column, int row, int cellWidth, int cellHeight);
