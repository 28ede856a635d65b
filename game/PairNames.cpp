#include "game/PairNames.h"

#include <unordered_map>

#include "app/Settings.h"
#include "game/CardNames.h"
#include "game/Deal.h"
#include "game/GameState.h"
#include "game/NameRules.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureInfo.h"

namespace {

// A picture's name by its path, read once a run: a title takes a read of the file. Only the
// window's thread touches it.
std::unordered_map<std::string, std::string> KnownNames;

} // namespace

PairKind ChosenPairs() {
    return PairKindOf(static_cast<unsigned long>(Pairs));
}

std::vector<std::string> NamesOfList(const std::vector<std::string>& list) {
    // Titles not read yet are read on the decode workers: each opens its file.
    std::vector<std::string> unread;
    for (const std::string& path : list)
        if (KnownNames.find(path) == KnownNames.end())
            unread.push_back(path);
    std::vector<std::string> titles(unread.size());
    if (!unread.empty())
        RunOnWorkers(unread.size(), DecodeThreadCount(), [&](size_t i) { titles[i] = ReadPictureInfo(unread[i]).Title; });
    for (size_t i = 0; i < unread.size(); ++i)
        KnownNames.emplace(unread[i], PairName(titles[i], PictureTitle(unread[i])));
    std::vector<std::string> names;
    names.reserve(list.size());
    for (const std::string& path : list)
        names.push_back(KnownNames.find(path)->second);
    return names;
}

std::vector<std::string> PairableList(const std::vector<std::string>& list, PairKind kind) {
    if (kind == PairKind::Twins)
        return list;
    std::vector<std::string> paths;
    for (size_t entry : PairableEntries(NamesOfList(list), kind))
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
    return PairsOfEntries(PairableEntries(NamesOfList(list), kind).size(), kind);
}
