// The round kept between runs, under the settings key's subkey "Round": "Level", "Subfolders",
// "Tries", "Time" (seconds), "Players", "Strength", "Turn", "Starter" (REG_DWORD), "PicturePath"
// (REG_SZ), "Cells" (REG_MULTI_SZ, each cell's picture path row by row), "Names" (REG_MULTI_SZ),
// "Found" (REG_BINARY, a byte per cell: 0 face down, else 1 + its finder's seat), "Computer"
// (REG_BINARY, a byte per seat), "Scores" (REG_BINARY, a DWORD per seat), and of the kind of pairs
// "Pairs" (REG_DWORD, as the setting), "Sides" (REG_BINARY, a byte per cell: 1 a name card or a
// pair's second picture) and "PairIds" (REG_BINARY, each cell's pair number): a record without
// these three is one of twins, as every record was before them. "Persons" (REG_BINARY, each cell's
// person in UTF-16, each ended by a zero, the picture whole an empty one) names the person a card
// shows; a record without it shows every picture whole.
#pragma once

#include "rules/SavedRound.h"

// Stores the round on the board when it is worth keeping (a try made, a pair still to find).
void SaveRound();

// The stored values; Whole cleared when any is missing, of another type or size, or too long.
SavedRoundValues ReadSavedRound();

// A round taken up, or a new deal: no round is kept any more.
void DeleteSavedRound();
