#include "rules/SavedRound.h"

#include <map>
#include <utility>

#include "app/PathText.h"
#include "pictures/PeopleChoice.h"
#include "rules/Deal.h"
#include "rules/Statistics.h"

static_assert(MaxPersonBytes >= MaxPersonNameBytes, "a kept round holds every name a picture's tags give");

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

bool PersonFits(const std::string& person) {
    return person.size() <= MaxPersonBytes && person.find('\0') == std::string::npos;
}

// Each cell's pair and side, as recorded; a record from before the kinds pairs its cells by their
// paths, numbered by their first cells row by row. Each pair must be one of its kind.
bool PlaceCards(const SavedRoundValues& values, KeptRound* round) {
    const size_t cells = size_t(round->Rows * round->Columns);
    const int pairs = int(cells / 2);
    const bool twins = round->Pairs == PairKind::Twins;
    const bool numbered = !values.Sides.empty() || !values.PairIds.empty();
    if (numbered ? values.Sides.size() != cells || values.PairIds.size() != cells : !twins)
        return false;
    if (!values.Persons.empty() && values.Persons.size() != cells)
        return false;
    std::map<std::string, int> numbers;
    std::vector<DealtPicture> sides[2] = {std::vector<DealtPicture>(size_t(pairs) + 1),
                                          std::vector<DealtPicture>(size_t(pairs) + 1)};
    for (int row = 0; row < round->Rows; ++row) {
        for (int column = 0; column < round->Columns; ++column) {
            const size_t cell = size_t(row * round->Columns + column);
            const DealtPicture picture = {values.Cells[cell],
                                          values.Persons.empty() ? std::string() : values.Persons[cell]};
            // Twins show their pictures whole.
            if (!PathFits(picture.Path) || !PersonFits(picture.Person) || (twins && !picture.Person.empty()))
                return false;
            const int pair = numbered ? values.PairIds[cell]
                                      : numbers.emplace(picture.Path, int(numbers.size()) + 1).first->second;
            // Twins have no second face: their record has no side, and the first card seen is the first.
            if (pair < 1 || pair > pairs || (twins && numbered && values.Sides[cell] != 0) ||
                (numbered && values.Sides[cell] > 1))
                return false;
            const int side = twins ? (sides[0][size_t(pair)].Path.empty() ? 0 : 1) : values.Sides[cell];
            DealtPicture& slot = sides[side][size_t(pair)];
            if (!slot.Path.empty())
                return false;
            slot = picture;
            round->Board[column][row] = pair;
            round->Side[column][row] = side;
        }
    }
    // Every slot filled once, as the cells are twice the pairs: each pair has both its cards. A
    // picture is in two pairs only by two of its people.
    std::map<std::pair<std::string, std::string>, int> uses;
    const auto used = [&uses](const DealtPicture& picture) {
        return ++uses[{picture.Path, picture.Person}] > 1;
    };
    for (int pair = 1; pair <= pairs; ++pair) {
        const DealtPicture& first = sides[0][size_t(pair)];
        const DealtPicture& second = sides[1][size_t(pair)];
        const bool twoOfOneName = PicturesPerPair(round->Pairs) == 2;
        const bool onePicture = twoOfOneName ? first.Path == second.Path : first == second;
        if (onePicture == twoOfOneName || used(first) || (twoOfOneName && used(second)))
            return false;
        round->Pictures.push_back(first);
        if (twoOfOneName)
            round->SecondPictures.push_back(second);
    }
    return true;
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
    values.Pairs = uint32_t(round.Pairs);
    const bool twins = round.Pairs == PairKind::Twins;
    for (int row = 0; row < round.Rows; ++row) {
        for (int column = 0; column < round.Columns; ++column) {
            const int number = round.Board[column][row];
            const bool numbered = number >= 1 && number <= int(round.Pictures.size());
            const int side = twins ? 0 : round.Side[column][row];
            const std::vector<DealtPicture>& pictures =
                side == 1 && PicturesPerPair(round.Pairs) == 2 ? round.SecondPictures : round.Pictures;
            const DealtPicture picture =
                numbered && size_t(number) <= pictures.size() ? pictures[size_t(number - 1)] : DealtPicture();
            values.Cells.push_back(picture.Path);
            values.Persons.push_back(picture.Person);
            values.Sides.push_back(uint8_t(side));
            values.PairIds.push_back(uint8_t(numbered ? number : 0));
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
    read.Pairs = PairKindOf(values.Pairs);
    if (values.Level < 1 || values.Level > uint32_t(LevelCount) || !GridForLevel(read.Level, &read.Rows, &read.Columns) ||
        values.Pairs != uint32_t(read.Pairs) || !SizesMatch(values, read.Rows * read.Columns) ||
        !PlaceCards(values, &read))
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

std::vector<DealtPicture> DealtListOfRound(const KeptRound& round) {
    if (PicturesPerPair(round.Pairs) == 1)
        return round.Pictures;
    std::vector<DealtPicture> list;
    for (size_t pair = 0; pair < round.Pictures.size() && pair < round.SecondPictures.size(); ++pair) {
        list.push_back(round.Pictures[pair]);
        list.push_back(round.SecondPictures[pair]);
    }
    return list;
}

bool NamesMakeRound(const std::vector<std::string>& names, PairKind kind) {
    // A deal of the kind would take every one of them, in their order.
    const std::vector<size_t> taken = PairableEntries(names, kind);
    for (size_t entry = 0; entry < taken.size(); ++entry) {
        if (taken[entry] != entry)
            return false;
    }
    return taken.size() == names.size();
}
