// A round kept between runs: the values it is stored as, and the checks that turn them back into a
// whole round, or into a new deal when any of them is one no round could have.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/GameState.h"
#include "game/PlayerTurns.h"

// The values as read back; the reader clears Whole when any was missing or of another type or size.
struct SavedRoundValues {
    bool Whole;
    uint32_t Level;
    std::string Folder;
    uint32_t Subfolders;
    std::vector<std::string> Cells; // each cell's picture path, row by row, left to right
    std::vector<uint8_t> Found;     // each cell: 0 face down, else 1 + the seat that found its pair
    uint32_t Tries;
    uint32_t Seconds;
    uint32_t Players;
    std::vector<std::wstring> Names;
    std::vector<uint8_t> Computer; // each seat: 1 the computer's
    uint32_t Strength;
    std::vector<uint32_t> Scores;
    uint32_t Turn;
    uint32_t Starter;
};

// A round as the board holds it: what is saved when the window goes, and what a resume lays out.
struct KeptRound {
    int Level;
    std::string Folder;
    int Subfolders;
    int Columns;
    int Rows;
    std::vector<std::string> Pictures; // picture number n's path at n - 1
    int Board[MaxGridSide][MaxGridSide];
    int FaceUp[MaxGridSide][MaxGridSide];
    int Tries;
    int PairsFound;
    uint32_t Seconds;
    PlayersRound Players;
    std::vector<std::wstring> Names;
};

// A round is worth keeping once it has had a try and still has a pair to find.
bool RoundWorthKeeping(int tries, int pairsFound, int pairs);

// The values a round is stored as.
SavedRoundValues ValuesOfRound(const KeptRound& round);

// The round the values hold; false (deal anew) for any value no such round could have: a count
// or size that does not match the level, a path empty or longer than a path may be, a picture not on
// exactly two cells, a found cell whose pair is not found by the same seat, scores that are not the
// pairs each seat found, a turn or seat out of range, a round with no try or nothing left to find.
bool RoundOfValues(const SavedRoundValues& values, KeptRound* round);
