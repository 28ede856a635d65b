// Which cell a click lands on.
#pragma once

#include "game/GameState.h"

// The grid as the cards were drawn: the deal's pitch in board units.
struct DrawnGrid {
    int Columns;
    int Rows;
    int CellWidth;
    int CellHeight;
};

// Maps a client point into the board's 800 by 600 units, drawn over the whole client, and finds
// the card drawn there; the gap left of and above a card belongs to it. A point outside the
// client, or beyond the last column or row of the board, hits nothing.
bool HitTestCell(int x, int y, int clientWidth, int clientHeight, const DrawnGrid& grid, Cell* cell);
