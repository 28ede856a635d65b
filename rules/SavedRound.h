// A round kept between runs: the values it is stored as, and the checks that turn them back into a
// whole round, or into a new deal when any of them is one no round could have.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "rules/DealtPicture.h"
#include "rules/GameState.h"
#include "rules/PlayerTurns.h"

// The longest person's name a record holds, in UTF-8 bytes: as long as a picture's tags' names are
// read (pictures/PeopleChoice.h).
const size_t MaxPersonBytes = 256;

// The values as read back; the reader clears Whole when any was missing or of another type or size.
struct SavedRoundValues {
    bool Whole;
    uint32_t Level;
    std::string Folder;
    uint32_t Subfolders;
    uint32_t Pairs;                 // the kind of pairs (PairKind); 0 in a record from before the kinds
    std::vector<std::string> Cells; // each cell's picture path, row by row, left to right; a name card's
                                    // is the picture it names
    std::vector<std::string> Persons; // each cell's person of its picture, UTF-8, empty for the picture
                                      // whole; empty in a record from before the people, all whole
    std::vector<uint8_t> Sides;     // each cell: 1 a pair's name card or second picture, else 0
    std::vector<uint8_t> PairIds;   // each cell's pair number; Sides and PairIds are empty in a record
                                    // from before the kinds, of twins whose cells pair by their paths
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
    PairKind Pairs;
    std::vector<DealtPicture> Pictures;       // pair n's picture (its first for two of one name) at n - 1
    std::vector<DealtPicture> SecondPictures; // two of one name: pair n's second picture at n - 1
    int Board[MaxGridSide][MaxGridSide];
    int Side[MaxGridSide][MaxGridSide];
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
// or size that does not match the level, a path empty or longer than a path may be, a person's name
// longer than MaxPersonBytes or on a card of twins, a kind of pairs there is none of, a pair number
// not on exactly two cells, a pair that is not one of its kind (twins or a picture and its name on
// one picture and person, the name card on the second side; two of one name on two pictures, one a
// side), a picture with the same person in two pairs (a group photo may be in two pairs by two of
// its people), a found cell whose pair is not found by the same seat, scores that are not the pairs
// each seat found, a turn or seat out of range, a round with no try or nothing left to find.
bool RoundOfValues(const SavedRoundValues& values, KeptRound* round);

// The round's pictures in the order a deal of its kind lists them (pair n's two pictures of one
// name at 2n - 2 and 2n - 1), to be decoded and named as a deal's.
std::vector<DealtPicture> DealtListOfRound(const KeptRound& round);

// Whether pictures of these names, listed as DealtListOfRound lists them, still make the round's
// pairs of a name: each named, of a name no other pair has, two of one name named alike.
bool NamesMakeRound(const std::vector<std::string>& names, PairKind kind);
