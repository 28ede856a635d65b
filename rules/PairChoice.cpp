#include "rules/PairChoice.h"

#include <algorithm>
#include <map>
#include <set>

#include "rules/DealtPicture.h"
#include "rules/NameRules.h"
#include "rules/ThenAndNow.h"

PairKind PairKindOf(unsigned long stored) {
    return stored >= 1 && stored <= 3 ? static_cast<PairKind>(stored) : PairKind::Twins;
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
        } else if (same.size() >= 2) { // two of one name, or then and now by names alone
            entries.push_back(same[0]);
            entries.push_back(same[1]);
        }
    }
    return entries;
}

EntryNames NamesOfEntry(const std::vector<std::string>& tagged, const std::vector<RecognisedName>& recognised,
                        const std::string& name, const std::string& taken, PairKind kind) {
    EntryNames names;
    // A face's tag the player renamed is that person under their name, not someone besides.
    std::set<std::u16string> keys, renamed;
    for (const RecognisedName& person : recognised)
        if (!person.Tag.empty() && !person.Name.empty() && NameKey(person.Tag) != NameKey(person.Name))
            renamed.insert(NameKey(person.Tag));
    const auto add = [&](const std::string& person) {
        if (keys.insert(NameKey(person)).second)
            names.Names.push_back(person);
    };
    for (const std::string& person : tagged)
        if (renamed.count(NameKey(person)) == 0)
            add(person);
    for (const RecognisedName& person : recognised) {
        const bool tagsName = !person.Tag.empty() && keys.count(NameKey(person.Tag)) != 0;
        if (!person.Name.empty())
            add(person.Name);
        else if (kind != PairKind::PictureAndName && !tagsName)
            add(UnnamedPerson(person.Number));
    }
    names.People = !names.Names.empty();
    if (names.Names.empty() && !name.empty())
        names.Names.push_back(name);
    names.Taken = taken;
    return names;
}

std::vector<NameCandidate> CandidatesOfNames(const std::vector<EntryNames>& names,
                                             std::vector<std::string>* candidateNames) {
    std::vector<NameCandidate> candidates;
    candidateNames->clear();
    for (size_t entry = 0; entry < names.size(); ++entry) {
        for (size_t name = 0; name < names[entry].Names.size(); ++name) {
            candidates.push_back({entry, name});
            candidateNames->push_back(names[entry].Names[name]);
        }
    }
    return candidates;
}

std::vector<size_t> PairableCandidates(const std::vector<EntryNames>& names,
                                       const std::vector<NameCandidate>& candidates,
                                       const std::vector<std::string>& candidateNames, PairKind kind) {
    if (kind != PairKind::ThenAndNow)
        return PairableEntries(candidateNames, kind);
    std::vector<DatedCandidate> dated;
    for (size_t i = 0; i < candidates.size(); ++i) {
        const EntryNames& entry = names[candidates[i].Entry];
        dated.push_back({entry.People ? candidateNames[i] : std::string(), entry.Taken});
    }
    return ThenAndNowCandidates(dated);
}

std::vector<EntryNames>
NamesUntilEnough(size_t count, PairKind kind, size_t enough,
                 const std::function<void(size_t, size_t, std::vector<EntryNames>*)>& read) {
    std::vector<EntryNames> names;
    std::vector<std::string> candidateNames;
    // Each run as long as all before it: the entries are counted again a few times only.
    for (size_t run = std::max<size_t>(enough, 64); names.size() < count; run *= 2) {
        const size_t from = names.size();
        read(from, std::min(count, from + run), &names);
        if (names.size() != std::min(count, from + run))
            break;
        const std::vector<NameCandidate> candidates = CandidatesOfNames(names, &candidateNames);
        if (PairableCandidates(names, candidates, candidateNames, kind).size() >= enough)
            break;
    }
    return names;
}

size_t PairsOfEntries(size_t entries, PairKind kind) {
    return entries / PicturesPerPair(kind);
}
