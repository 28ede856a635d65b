// Where a card stands: the board is laid out in a space of 800 by 600 units, drawn onto pixels.
#pragma once

#include "engine/StretchClip.h"

// The board's layout space, whatever the size of the pixels it is drawn on.
const int BoardUnitsWidth = 800;
const int BoardUnitsHeight = 600;

// The background left of and above every card.
const int CardGap = 4;

// A card fills its cell but for the gap on its left and above it (board units).
PixelRect CellRect(int column, int row, int cellWidth, int cellHeight);

// A rectangle of board units on pixelWidth by pixelHeight pixels: each edge x at x * W / 800 and
// y at y * H / 600, rounded to the nearest pixel, so neighbouring cards share their edges exactly.
PixelRect BoardToPixels(const PixelRect& units, int pixelWidth, int pixelHeight);

struct PixelSize {
    int Width;
    int Height;
};

// The largest card of the columns by rows grid drawn on pixelWidth by pixelHeight pixels. Rounding
// makes a card at most one pixel narrower or shorter than this.
PixelSize LargestCard(int columns, int rows, int cellWidth, int cellHeight, int pixelWidth, int pixelHeight);
