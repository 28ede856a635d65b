// Which cell a click lands on.
#pragma once

#include "rules/CellGeometry.h"
#include "rules/GameState.h"

// The cell whose card, or the gap left of or above it, is drawn under the board's pixel (x, y);
// a point outside the board hits nothing.
bool HitTestCell(int x, int y, const BoardGrid& grid, Cell* cell);
