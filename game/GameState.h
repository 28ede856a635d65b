// The state of the card game: one board for the whole run, plain module-wide data.
#pragma once

#include <string>

#include "game/RoundClock.h"

class ImageS;

// A cell of the grid: column 0 is leftmost, row 0 is the top.
struct Cell {
    int Column;
    int Row;
};

// A pick that is none holds column and row -1.
const Cell NoCell = {-1, -1};

const int MaxGridSide = 8;
const int MaxPairs = MaxGridSide * MaxGridSide / 2;
const int CardImageCount = 1 + MaxPairs; // the card back and one picture for each pair
const int CardBackIndex = 0;

extern int Rows;
extern int Columns;
extern int CellWidth;  // horizontal pitch of the grid in back-buffer pixels
extern int CellHeight; // vertical pitch
extern ImageS* CardImages[CardImageCount];
extern int Board[MaxGridSide][MaxGridSide];  // [column][row]: picture number, 0 outside the grid
extern int FaceUp[MaxGridSide][MaxGridSide]; // 1 once the cell's pair has been found
extern Cell FirstPick;
extern Cell SecondPick;
extern int Tries;
extern int PairsFound;
extern RoundClock Clock; // the round's time
// The card the keys move over and turn; the top-left one at each deal, the clicked one after a click.
extern Cell Focus;
// The file name, without extension, of each dealt picture number: what a screen reader says of it.
extern std::string CardTitles[CardImageCount];

// Every grid has an even number of cells; each picture stands on two of them.
inline int PairCount() {
    return Rows * Columns / 2;
}

inline bool IsNone(const Cell& cell) {
    return cell.Column == -1;
}
inline bool SameCell(const Cell& a, const Cell& b) {
    return a.Column == b.Column && a.Row == b.Row;
}
