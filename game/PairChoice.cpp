#include "game/PairChoice.h"

#include <map>

#include "game/NameRules.h"

PairKind PairKindOf(unsigned long stored) {
    return stored == 1 ? PairKind::PictureAndName : stored == 2 ? PairKind::TwoOfOneName : PairKind::Twins;
}

std::vector<size_t> PairableEntries(const std::vector<std::string>& names, PairKind kind) {
    std::vector<size_t> entries;
    if (kind == PairKind::Twins) {
        for (size_t i = 0; i < names.size(); ++i)
            entries.push_back(i);
        return entries;
    }
    // Each name's entries, and the names in the order of their first entry.
    std::map<std::u16string, std::vector<size_t>> byName;
    std::vector<std::u16string> order;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i].empty())
            continue;
        std::vector<size_t>& same = byName[NameKey(names[i])];
        if (same.empty())
            order.push_back(NameKey(names[i]));
        same.push_back(i);
    }
    for (const std::u16string& name : order) {
        const std::vector<size_t>& same = byName[name];
        if (kind == PairKind::PictureAndName) {
            entries.push_back(same[0]);
        } else if (same.size() >= 2) {
            entries.push_back(same[0]);
            entries.push_back(same[1]);
        }
    }
    return entries;
}

size_t PairsOfEntries(size_t entries, PairKind kind) {
    return entries / PicturesPerPair(kind);
}
