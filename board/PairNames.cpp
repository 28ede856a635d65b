#include "board/PairNames.h"

#include <unordered_map>

#include "app/Settings.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureInfo.h"
#include "rules/CardTitles.h"
#include "rules/Deal.h"
#include "rules/GameState.h"
#include "rules/NameRules.h"
#include "rules/ThenAndNow.h"

namespace {

// What a picture's names are, read once a run: a title takes a read of the file.
struct KnownPicture {
    std::string Name; // its title or file name (NameRules.h); empty when it has none
    std::vector<TaggedPerson> People;
    std::string Taken; // "YYYY-MM-DD" its tags give, for then and now
};

// By path. Only the window's thread touches it.
std::unordered_map<std::string, KnownPicture> Known;

EntryNames NamesOf(const KnownPicture& picture) {
    EntryNames names;
    for (const TaggedPerson& person : picture.People)
        names.Names.push_back(person.Name);
    names.People = !names.Names.empty();
    if (names.Names.empty() && !picture.Name.empty())
        names.Names.push_back(picture.Name);
    names.Taken = picture.Taken;
    return names;
}

// Appends the names of the list's entries [from, to), reading those no read has brought yet; on the
// decode workers, since each opens its file.
void AppendNames(const std::vector<std::string>& list, size_t from, size_t to,
                 std::vector<EntryNames>* names) {
    std::vector<std::string> unread;
    for (size_t i = from; i < to; ++i)
        if (Known.find(list[i]) == Known.end())
            unread.push_back(list[i]);
    std::vector<PictureInfo> infos(unread.size());
    if (!unread.empty())
        RunOnWorkers(unread.size(), DecodeThreadCount(),
                     [&](size_t i) { infos[i] = ReadPictureInfo(unread[i]); });
    for (size_t i = 0; i < unread.size(); ++i)
        Known.emplace(unread[i], KnownPicture{PairName(infos[i].Title, PictureTitle(unread[i])),
                                              infos[i].People, infos[i].Taken});
    for (size_t i = from; i < to; ++i)
        names->push_back(NamesOf(Known.find(list[i])->second));
}

std::vector<EntryNames> NamesEnough(const std::vector<std::string>& list, PairKind kind, size_t enough) {
    return NamesUntilEnough(list.size(), kind, enough,
                            [&list](size_t from, size_t to, std::vector<EntryNames>* names) {
                                AppendNames(list, from, to, names);
                            });
}

// The entries of that kind among the names' candidates, as the pictures a deal takes.
std::vector<DealtPicture> Pairable(const std::vector<std::string>& list, const std::vector<EntryNames>& names,
                                   PairKind kind) {
    std::vector<std::string> candidateNames;
    const std::vector<NameCandidate> candidates = CandidatesOfNames(names, &candidateNames);
    std::vector<DealtPicture> dealt;
    for (size_t taken : PairableCandidates(names, candidates, candidateNames, kind)) {
        const std::string& path = list[candidates[taken].Entry];
        const bool person = !Known.find(path)->second.People.empty();
        dealt.push_back({path, person ? candidateNames[taken] : std::string()});
    }
    return dealt;
}

const TaggedPerson* PersonOf(const DealtPicture& picture) {
    const auto known = Known.find(picture.Path);
    if (picture.Person.empty() || known == Known.end())
        return nullptr;
    for (const TaggedPerson& person : known->second.People) {
        if (person.Name == picture.Person)
            return &person;
    }
    return nullptr;
}

// The entries a board of the level needs: its pairs' pictures.
size_t EntriesNeeded(PairKind kind) {
    return PairsNeeded(Level, kind) * PicturesPerPair(kind);
}

} // namespace

PairKind ChosenPairs() {
    return PairKindOf(static_cast<unsigned long>(Pairs));
}

std::vector<EntryNames> NamesOfList(const std::vector<std::string>& list) {
    std::vector<EntryNames> names;
    names.reserve(list.size());
    AppendNames(list, 0, list.size(), &names);
    return names;
}

std::vector<DealtPicture> PairableList(const std::vector<std::string>& list, PairKind kind) {
    std::vector<DealtPicture> dealt;
    if (kind == PairKind::Twins) {
        for (const std::string& path : list)
            dealt.push_back({path, std::string()});
        return dealt;
    }
    // Twice the board's own, so that pictures that do not decode give way to others, as among twins.
    return Pairable(list, NamesEnough(list, kind, 2 * EntriesNeeded(kind)), kind);
}

std::string DealtName(const DealtPicture& picture) {
    if (!picture.Person.empty())
        return picture.Person;
    const auto known = Known.find(picture.Path);
    return known != Known.end() ? known->second.Name : std::string();
}

void NameThenAndNowPairs(std::vector<DealtPicture>* pairs) {
    std::vector<std::string> paths;
    for (const DealtPicture& picture : *pairs)
        paths.push_back(picture.Path);
    NamesOfList(paths);
    for (size_t first = 0; first + 1 < pairs->size(); first += 2) {
        // Each person of the two pictures a candidate, as a deal has them; of each, the picture.
        std::vector<DatedCandidate> candidates;
        std::vector<size_t> pictures;
        for (size_t picture = first; picture < first + 2; ++picture) {
            const KnownPicture& known = Known.find(paths[picture])->second;
            for (const TaggedPerson& person : known.People) {
                candidates.push_back({person.Name, known.Taken});
                pictures.push_back(picture);
            }
        }
        const std::vector<size_t> taken = ThenAndNowCandidates(candidates);
        (*pairs)[first].Person.clear();
        (*pairs)[first + 1].Person.clear();
        if (taken.size() >= 2 && pictures[taken[0]] != pictures[taken[1]]) {
            (*pairs)[pictures[taken[0]]].Person = candidates[taken[0]].Person;
            (*pairs)[pictures[taken[1]]].Person = candidates[taken[1]].Person;
        }
    }
}

bool StillDealtSo(const DealtPicture& picture) {
    const auto known = Known.find(picture.Path);
    return known != Known.end() &&
           (picture.Person.empty() ? known->second.People.empty() : PersonOf(picture) != nullptr);
}

CardFraming DealtFraming(const DealtPicture& picture, PictureFit fit) {
    CardFraming framing(fit);
    const TaggedPerson* person = PersonOf(picture);
    if (person != nullptr && person->HasBox) {
        framing.HasPerson = true;
        framing.Person = person->Box;
    }
    return framing;
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
    const std::vector<EntryNames> names = NamesEnough(list, kind, EntriesNeeded(kind));
    std::vector<std::string> candidateNames;
    const std::vector<NameCandidate> candidates = CandidatesOfNames(names, &candidateNames);
    return PairsOfEntries(PairableCandidates(names, candidates, candidateNames, kind).size(), kind);
}
