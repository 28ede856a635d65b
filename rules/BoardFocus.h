// Moving the keyboard's focus over the dealt cards.
#pragma once

#include "rules/GameState.h"

// The moves of the W3C grid pattern: arrows, Home/End in the row, Ctrl+Home/End on the board.
enum class FocusMove { Left, Right, Up, Down, RowStart, RowEnd, BoardStart, BoardEnd };

// The cell a move leads to from `from` on a grid of columns by rows; a move against an edge stays.
// A cell outside the grid (the last deal was larger) is first brought back inside it.
Cell MoveFocus(const Cell& from, FocusMove move, int columns, int rows);
