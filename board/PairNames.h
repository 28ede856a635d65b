// The names of a list's pictures, for pairs of a name: each picture's title or file name read once
// a run, and what a deal of the chosen kind can take from the list.
#pragma once

#include <string>
#include <vector>

#include "rules/PairChoice.h"

// The kind of pairs the next deal deals: the setting as it stands.
PairKind ChosenPairs();

// Each entry's name (NameRules.h): its carried title, else its file name; empty when it has none.
std::vector<std::string> NamesOfList(const std::vector<std::string>& list);

// The paths a deal of that kind takes its pictures from, in order (PairableEntries): for pairs of a
// name, those of the list's first entries whose names make twice the level's board.
std::vector<std::string> PairableList(const std::vector<std::string>& list, PairKind kind);

// The pairs a board needs at the level: twins the 18 pictures or more the folder always needed,
// pairs of a name the board's own.
size_t PairsNeeded(int level, PairKind kind);

// The pairs of that kind the list can deal: at least the level's board when it can deal it, since
// names are read only until they make it.
size_t PairsAvailable(const std::vector<std::string>& list, PairKind kind);
