// The statistics in the registry, under the settings key's subkey "Statistics": per level
// "Level<L>Rounds", "Level<L>Fewest" and "Level<L>BestTime" (seconds) (REG_DWORD) and "Level<L>Tries" (REG_QWORD); in its subkey
// "Wins" a REG_DWORD per winning name. Read afresh each time, written at once.
#pragma once

#include <vector>

#include "rules/Statistics.h"

// The round just finished, on its last pair: one player's tries at the board's level, or a win
// for every player of the highest score (a tie is a shared win).
void RecordRound();

// A level's record; a damaged one reads as zero.
LevelRecord ReadLevelRecord(int level);

// A level's best time in seconds; 0 for none, and for a damaged one.
uint32_t ReadBestTime(int level);

// Every name's wins; a value of the wrong type or size, or a name too long, is left out.
std::vector<WinRecord> ReadWins();

// Clears every record.
void ClearStatistics();
