// The record kept across runs: one player's rounds per level, and the names that won rounds together.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One level's finished one-player rounds. All zero when none.
struct LevelRecord {
    uint32_t Rounds;
    uint32_t Fewest; // tries of the best round
    uint64_t Tries;  // of all rounds together
};

// A record as read back: one that no sequence of rounds of a level of `pairs` pairs can leave
// (a round takes at least one try per pair, the total at least the rounds' fewest) reads as zero.
LevelRecord CheckedLevelRecord(const LevelRecord& stored, int pairs);

// The record with one more round of `tries`; counters stop at their largest value.
LevelRecord AddSoloRound(const LevelRecord& record, uint32_t tries);

// Tenths of the average tries, rounded (125 is 12.5); 0 with no round.
uint64_t AverageTenths(const LevelRecord& record);

// A stored best time in seconds as read back: 0 is none, and so is one below a second per pair.
uint32_t CheckedBestTime(uint32_t seconds, int pairs);

// The best time with a round of `seconds` more; none is beaten by any round.
uint32_t BetterTime(uint32_t best, uint32_t seconds);

struct WinRecord {
    std::wstring Name;
    uint32_t Wins;
};

// Names longer than this are not the game's and read as no record.
const size_t MaxNameLength = 32;

// The wins with one more for each name among `winners` (a name counted once per round).
void AddWins(std::vector<WinRecord>* wins, const std::vector<std::wstring>& winners);

// The `count` names with most wins, most first and ties by name; names without a win left out.
std::vector<WinRecord> TopWinners(std::vector<WinRecord> wins, size_t count);
