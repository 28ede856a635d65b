// The state of the card game: one board for the whole run, plain module-wide data.
#pragma once

#include <string>

#include "rules/PairChoice.h"
#include "rules/RoundClock.h"

// A cell of the grid: column 0 is leftmost, row 0 is the top.
struct Cell {
    int Column;
    int Row;
};

// A pick that is none holds column and row -1.
const Cell NoCell = {-1, -1};

const int MaxGridSide = 8;
const int MaxPairs = MaxGridSide * MaxGridSide / 2;
// The card back, each pair's first face at its number n, and its second face at SecondFace + n: a
// name card or a second picture of that name, or none for twins, whose cards share the first.
const int SecondFace = MaxPairs;
const int CardImageCount = 1 + 2 * MaxPairs;
const int CardBackIndex = 0;

extern int Rows;
extern int Columns;
extern int Board[MaxGridSide][MaxGridSide];  // [column][row]: pair number, 0 outside the grid
extern int Side[MaxGridSide][MaxGridSide];   // 1 for the second card of its pair, else 0
extern PairKind DealtPairs;                  // what the two cards of each pair of this deal show
extern int FaceUp[MaxGridSide][MaxGridSide]; // 1 once the cell's pair has been found
extern Cell FirstPick;
extern Cell SecondPick;
extern int Tries;
extern int PairsFound;
extern RoundClock Clock; // the round's time
// The round is played calm, as the Calm setting stood at its deal: nothing is counted (no tries,
// scores, time or statistics), a miss turns back by itself and the board helps.
extern bool CalmRound;
// The card the keys move over and turn; the top-left one at each deal, the clicked one after a click.
extern Cell Focus;
// The name of each dealt pair number, UTF-8: the title its picture carries, else its file name
// without extension (in the ANSI code page, which the manifest makes UTF-8); for pairs of a name,
// that name. What a screen reader says of it.
extern std::string CardTitles[CardImageCount];

// Every grid has an even number of cells; each picture stands on two of them.
inline int PairCount() {
    return Rows * Columns / 2;
}

// Every pair found: nothing is left to turn.
inline bool RoundOver() {
    return PairsFound == PairCount();
}

// A try finds a pair when both cards carry one pair number, whatever each shows: the same picture,
// a picture and its name, or two pictures of one name.
inline bool SamePair(const Cell& a, const Cell& b) {
    return Board[a.Column][a.Row] == Board[b.Column][b.Row];
}

// The card image the cell shows face up.
inline int FaceImage(int column, int row) {
    const int pair = Board[column][row];
    return DealtPairs != PairKind::Twins && Side[column][row] == 1 ? SecondFace + pair : pair;
}

// The picture a card stands for: its face, or for a name card its pair's picture.
inline int PictureOfCard(const Cell& cell) {
    return DealtPairs == PairKind::PictureAndName ? Board[cell.Column][cell.Row] : FaceImage(cell.Column, cell.Row);
}

// The pair a card image belongs to.
inline int PairOfFace(int face) {
    return face > SecondFace ? face - SecondFace : face;
}

inline bool IsNone(const Cell& cell) {
    return cell.Column == -1;
}
inline bool SameCell(const Cell& a, const Cell& b) {
    return a.Column == b.Column && a.Row == b.Row;
}
