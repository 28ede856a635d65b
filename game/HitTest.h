// Which cell a click lands on.
#pragma once

#include "game/GameState.h"

// Maps a client point to a cell with a pitch of client size / cells + 4, measured at the click;
// gaps between cards count for a cell. A point outside the client area hits nothing.
bool HitTestCell(int x, int y, int clientWidth, int clientHeight, int columns, int rows, Cell* cell);
