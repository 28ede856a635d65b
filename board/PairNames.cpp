#include "board/PairNames.h"

#include <unordered_map>

#include "app/Settings.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureInfo.h"
#include "rules/CardTitles.h"
#include "rules/Deal.h"
#include "rules/GameState.h"
#include "rules/NameRules.h"

namespace {

// A picture's name by its path, read once a run: a title takes a read of the file. Only the
// window's thread touches it.
std::unordered_map<std::string, std::string> KnownNames;

// Appends the names of the list's entries [from, to), reading those no read has brought yet; titles
// on the decode workers, since each opens its file.
void AppendNames(const std::vector<std::string>& list, size_t from, size_t to, std::vector<std::string>* names) {
    std::vector<std::string> unread;
    for (size_t i = from; i < to; ++i)
        if (KnownNames.find(list[i]) == KnownNames.end())
            unread.push_back(list[i]);
    std::vector<std::string> titles(unread.size());
    if (!unread.empty())
        RunOnWorkers(unread.size(), DecodeThreadCount(), [&](size_t i) { titles[i] = ReadPictureInfo(unread[i]).Title; });
    for (size_t i = 0; i < unread.size(); ++i)
        KnownNames.emplace(unread[i], PairName(titles[i], PictureTitle(unread[i])));
    for (size_t i = from; i < to; ++i)
        names->push_back(KnownNames.find(list[i])->second);
}

std::vector<std::string> NamesEnough(const std::vector<std::string>& list, PairKind kind, size_t enough) {
    return NamesUntilEnough(list.size(), kind, enough, [&list](size_t from, size_t to, std::vector<std::string>* names) {
        AppendNames(list, from, to, names);
    });
}

// The entries a board of the level needs: its pairs' pictures.
size_t EntriesNeeded(PairKind kind) {
    return PairsNeeded(Level, kind) * PicturesPerPair(kind);
}

} // namespace

PairKind ChosenPairs() {
    return PairKindOf(static_cast<unsigned long>(Pairs));
}

std::vector<std::string> NamesOfList(const std::vector<std::string>& list) {
    std::vector<std::string> names;
    names.reserve(list.size());
    AppendNames(list, 0, list.size(), &names);
    return names;
}

std::vector<std::string> PairableList(const std::vector<std::string>& list, PairKind kind) {
    if (kind == PairKind::Twins)
        return list;
    // Twice the board's own, so that pictures that do not decode give way to others, as among twins.
    std::vector<std::string> paths;
    for (size_t entry : PairableEntries(NamesEnough(list, kind, 2 * EntriesNeeded(kind)), kind))
        paths.push_back(list[entry]);
    return paths;
}

size_t PairsNeeded(int level, PairKind kind) {
    if (kind == PairKind::Twins)
        return PicturesForLevel(level);
    // A level no board has keeps the grid there is.
    const int pairs = PairsOfLevel(level);
    return static_cast<size_t>(pairs > 0 ? pairs : PairCount());
}

size_t PairsAvailable(const std::vector<std::string>& list, PairKind kind) {
    if (kind == PairKind::Twins)
        return list.size();
    return PairsOfEntries(PairableEntries(NamesEnough(list, kind, EntriesNeeded(kind)), kind).size(), kind);
}
