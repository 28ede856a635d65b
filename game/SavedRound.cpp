#include "game/SavedRound.h"

#include <map>

#include "app/PathText.h"
#include "game/Deal.h"
#include "game/Statistics.h"

namespace {

bool PathFits(const std::string& path) {
    return !path.empty() && path.size() < PathTextSize && path.find('\0') == std::string::npos;
}

bool NameFits(const std::wstring& name) {
    return !name.empty() && name.size() <= MaxNameLength && name.find(L'\0') == std::wstring::npos;
}

// Every count of the record that must match its level and its players.
bool SizesMatch(const SavedRoundValues& values, int cells) {
    const size_t players = values.Players;
    return values.Whole && values.Players >= 1 && values.Players <= MaxPlayers &&
           values.Cells.size() == size_t(cells) && values.Found.size() == size_t(cells) &&
           values.Names.size() == players && values.Computer.size() == players &&
           values.Scores.size() == players && values.Subfolders <= 1 && values.Turn < values.Players &&
           values.Starter < values.Players && values.Strength >= MinStrength &&
           values.Strength <= MaxStrength && PathFits(values.Folder);
}

// Numbers the pictures by their first cell, row by row; each must stand on exactly two cells.
bool NumberPictures(const SavedRoundValues& values, KeptRound* round) {
    std::map<std::string, int> numbers;
    std::vector<int> cellsOf;
    for (int row = 0; row < round->Rows; ++row) {
        for (int column = 0; column < round->Columns; ++column) {
            const std::string& path = values.Cells[size_t(row * round->Columns + column)];
            if (!PathFits(path))
                return false;
            auto found = numbers.find(path);
            if (found == numbers.end()) {
                round->Pictures.push_back(path);
                cellsOf.push_back(0);
                found = numbers.emplace(path, int(round->Pictures.size())).first;
            }
            round->Board[column][row] = found->second;
            ++cellsOf[size_t(found->second - 1)];
        }
    }
    for (int count : cellsOf) {
        if (count != 2)
            return false;
    }
    return int(round->Pictures.size()) == round->Rows * round->Columns / 2;
}

// Both cells of a picture found by one seat or by none; each seat's score its found pairs.
bool FindsMatch(const SavedRoundValues& values, KeptRound* round) {
    const int pairs = int(round->Pictures.size());
    std::vector<int> finder(size_t(pairs) + 1, -2);
    for (int row = 0; row < round->Rows; ++row) {
        for (int column = 0; column < round->Columns; ++column) {
            const int found = values.Found[size_t(row * round->Columns + column)];
            if (found > int(values.Players))
                return false;
            int& seen = finder[size_t(round->Board[column][row])];
            if (seen != -2 && seen != found - 1)
                return false;
            seen = found - 1;
            round->FaceUp[column][row] = found > 0 ? 1 : 0;
        }
    }
    int scores[MaxPlayers] = {};
    round->PairsFound = 0;
    for (int number = 1; number <= pairs; ++number) {
        round->Players.Finders[number] = finder[size_t(number)];
        if (finder[size_t(number)] >= 0) {
            ++scores[finder[size_t(number)]];
            ++round->PairsFound;
        }
    }
    for (size_t seat = 0; seat < values.Players; ++seat) {
        if (values.Scores[seat] != uint32_t(scores[seat]))
            return false;
    }
    return true;
}

} // namespace

bool RoundWorthKeeping(int tries, int pairsFound, int pairs) {
    return tries >= 1 && pairsFound < pairs && tries >= pairsFound;
}

SavedRoundValues ValuesOfRound(const KeptRound& round) {
    SavedRoundValues values = {};
    values.Whole = true;
    values.Level = uint32_t(round.Level);
    values.Folder = round.Folder;
    values.Subfolders = uint32_t(round.Subfolders);
    for (int row = 0; row < round.Rows; ++row) {
        for (int column = 0; column < round.Columns; ++column) {
            const int number = round.Board[column][row];
            const bool numbered = number >= 1 && number <= int(round.Pictures.size());
            values.Cells.push_back(numbered ? round.Pictures[size_t(number - 1)] : std::string());
            const int finder = numbered ? round.Players.Finders[number] : -1;
            values.Found.push_back(round.FaceUp[column][row] == 1 && finder >= 0 ? uint8_t(finder + 1) : 0);
        }
    }
    values.Tries = uint32_t(round.Tries);
    values.Seconds = round.Seconds;
    values.Players = uint32_t(round.Players.Count);
    values.Names = round.Names;
    for (int seat = 0; seat < round.Players.Count; ++seat) {
        values.Computer.push_back(round.Players.Computer[seat] ? 1 : 0);
        values.Scores.push_back(uint32_t(round.Players.Scores[seat]));
    }
    values.Strength = uint32_t(round.Players.Strength);
    values.Turn = uint32_t(round.Players.Turn);
    values.Starter = uint32_t(round.Players.Starter);
    return values;
}

bool RoundOfValues(const SavedRoundValues& values, KeptRound* round) {
    KeptRound read = {};
    read.Level = int(values.Level);
    if (values.Level < 1 || values.Level > uint32_t(LevelCount) || !GridForLevel(read.Level, &read.Rows, &read.Columns) ||
        !SizesMatch(values, read.Rows * read.Columns) || !NumberPictures(values, &read))
        return false;
    read.Players.Count = int(values.Players);
    for (int& finder : read.Players.Finders)
        finder = -1;
    if (!FindsMatch(values, &read))
        return false;
    read.Tries = int(values.Tries);
    if (values.Tries > 0x7FFFFFFF || !RoundWorthKeeping(read.Tries, read.PairsFound, read.Rows * read.Columns / 2))
        return false;
    for (const std::wstring& name : values.Names) {
        if (!NameFits(name))
            return false;
    }
    for (size_t seat = 0; seat < values.Players; ++seat) {
        // The first seat is always a person's.
        if (values.Computer[seat] > 1 || (seat == 0 && values.Computer[seat] == 1))
            return false;
        read.Players.Computer[seat] = values.Computer[seat] == 1;
        read.Players.Scores[seat] = int(values.Scores[seat]);
    }
    read.Folder = values.Folder;
    read.Subfolders = int(values.Subfolders);
    read.Seconds = values.Seconds;
    read.Players.Turn = int(values.Turn);
    read.Players.Starter = int(values.Starter);
    read.Players.Strength = int(values.Strength);
    read.Names = values.Names;
    *round = read;
    return true;
}
