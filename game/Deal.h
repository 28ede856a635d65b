// The rules of a deal that need no device: grid by level, placement of the pairs.
#pragma once

#include "game/RandomDraw.h"

// Rows and columns of a level's grid; false for a level outside 1 to 4.
bool GridForLevel(int level, int* rows, int* columns);

// The level of a grid of rows by columns; 0 for none.
int LevelOfGrid(int rows, int columns);

// Sets Rows and Columns from the level; a level outside 1 to 4 keeps the current grid.
void ApplyLevel(int level);

// Places every picture number 1..pairs on two free cells of the Columns by Rows grid, in two
// passes; each placement draws the column, then the row, until it finds a free cell.
void DealPairs(const RandomDraw& draw);

// Clears FaceUp and Board.
void ClearBoard();

// No pick, both counters zero, the focus on the top-left card: the start of a round.
void ResetTry();
