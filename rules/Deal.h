// The rules of a deal that need no device: grid by level, placement of the pairs.
#pragma once

#include <cstddef>

#include "rules/RandomDraw.h"

const int LevelCount = 7;
// The levels from the fewest pairs to the most, as Options and Statistics list them.
extern const int LevelsBySize[LevelCount];

// Rows and columns of a level's grid; false for a level outside 1 to LevelCount.
bool GridForLevel(int level, int* rows, int* columns);

// The pairs of a level's board; 0 for no level.
int PairsOfLevel(int level);

// The pictures a folder must hold for a level: 18 for every board up to 6 by 6, so that a
// change of level never runs short, and one for each pair of a larger board.
size_t PicturesForLevel(int level);

// The level of a grid of rows by columns; 0 for none.
int LevelOfGrid(int rows, int columns);

// Sets Rows and Columns from the level; a level outside 1 to LevelCount keeps the current grid.
void ApplyLevel(int level);

// Places every pair number 1..pairs on two free cells of the Columns by Rows grid, in two passes,
// the second the pairs' second cards; each placement draws the column, then the row, until it
// finds a free cell.
void DealPairs(const RandomDraw& draw);

// Clears FaceUp, Board and Side.
void ClearBoard();

// No pick, both counters zero, the focus on the top-left card: the start of a round.
void ResetTry();
