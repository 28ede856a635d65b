// Where a card stands: the grid fills the board's part of the client as it is, in pixels, edge to
// edge, every card the same size within a pixel of rounding. Drawing, clicks, the focus frame, a
// screen reader's locations and the size cards are made at all take their places from here.
#pragma once

#include "engine/StretchClip.h"

// The board's look (the gap before each card, the focus frame) is drawn for a board of 800 by 600
// and scales with the board's size.
const int LookWidth = 800;
const int LookHeight = 600;

// The background left of and above every card, on a board of 800 by 600.
const int CardGap = 4;

// A length of that look across a board `pixels` wide, or down one `pixels` high, rounded.
int AcrossBoard(int length, int pixels);
int DownBoard(int length, int pixels);

// A grid of columns by rows on a board of width by height pixels.
struct BoardGrid {
    int Columns;
    int Rows;
    int Width;
    int Height;
};

// The card of cell (column, row): cell c spans from c * Width / Columns (rounded down) to where the
// next one starts, the last one to the board's edge; the card fills it but for the gap on its left
// and above it. Rows likewise.
PixelRect CardRect(const BoardGrid& grid, int column, int row);

struct PixelSize {
    int Width;
    int Height;
};

// The largest card of the grid: every other one is as large or a pixel narrower or shorter.
PixelSize LargestCard(const BoardGrid& grid);
