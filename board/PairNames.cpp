#include "board/PairNames.h"

#include <filesystem>
#include <unordered_map>

#include "app/Settings.h"
#include "app/Texts.h"
#include "pictures/FaceIndexStore.h"
#include "pictures/IndexedPeople.h"
#include "pictures/PeopleIndexFolder.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureInfo.h"
#include "pictures/WorkerPool.h"
#include "res/resource.h"
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

// The people the index recognises, by path, as last read, and the index's files as they stood
// then; none unless the player asked for recognition. Only the window's thread touches them.
RecognisedPeople Recognised;
std::string RecognisedStamp;

// The sizes and write times of the index's file and its log: a write of the indexer, or of the
// player's corrections, changes one of them.
std::string IndexStamp(const std::string& path) {
    namespace fs = std::filesystem;
    std::string stamp = path;
    for (const char* part : {"", "-wal"}) {
        std::error_code error;
        const fs::path file = fs::u8path(path + part);
        const auto size = fs::file_size(file, error);
        const auto time = fs::last_write_time(file, error);
        stamp += error ? std::string(";-")
                       : ";" + std::to_string(size) + "," + std::to_string(time.time_since_epoch().count());
    }
    return stamp;
}

// The index read again when it changed since: on a thread of the deal's, SQLite's work kept off
// the window's thread, which waits for it as for the names.
void ReadRecognised() {
    if (RecognisePeople != 1) {
        Recognised.clear();
        RecognisedStamp.clear();
        return;
    }
    const std::string path = PeopleIndexPath();
    // This game's own writes (the indexer's, the People window's) counted too: the write times
    // std::filesystem gives on Windows are whole seconds, and a log begun again after a checkpoint
    // keeps its size, so a rename soon after the last read could go unseen.
    const std::string stamp = IndexStamp(path) + ";" + std::to_string(FaceIndexStore::WritesInProcess());
    if (stamp == RecognisedStamp)
        return;
    Recognised = RunLater([path] { return ReadRecognisedPeople(path); }).get();
    RecognisedStamp = stamp;
}

const std::vector<RecognisedPerson>* RecognisedIn(const std::string& path) {
    const auto found = Recognised.find(path);
    return found == Recognised.end() ? nullptr : &found->second;
}

// A read picture's names for a deal of that kind (NamesOfEntry).
EntryNames NamesOf(const std::string& path, PairKind kind) {
    const KnownPicture& picture = Known.find(path)->second;
    std::vector<std::string> tagged;
    for (const TaggedPerson& person : picture.People)
        tagged.push_back(person.Name);
    std::vector<RecognisedName> recognised;
    if (const std::vector<RecognisedPerson>* people = RecognisedIn(path))
        for (const RecognisedPerson& person : *people)
            recognised.push_back({person.Number, person.Name, person.Tag});
    return NamesOfEntry(tagged, recognised, picture.Name, picture.Taken, kind);
}

// Appends the names of the list's entries [from, to), reading those no read has brought yet; on the
// decode workers, since each opens its file.
void AppendNames(const std::vector<std::string>& list, size_t from, size_t to, PairKind kind,
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
        names->push_back(NamesOf(list[i], kind));
}

std::vector<EntryNames> NamesEnough(const std::vector<std::string>& list, PairKind kind, size_t enough) {
    ReadRecognised();
    return NamesUntilEnough(list.size(), kind, enough,
                            [&list, kind](size_t from, size_t to, std::vector<EntryNames>* names) {
                                AppendNames(list, from, to, kind, names);
                            });
}

// The entries of that kind among the names' candidates, as the pictures a deal takes.
std::vector<DealtPicture> Pairable(const std::vector<std::string>& list, const std::vector<EntryNames>& names,
                                   PairKind kind) {
    std::vector<std::string> candidateNames;
    const std::vector<NameCandidate> candidates = CandidatesOfNames(names, &candidateNames);
    std::vector<DealtPicture> dealt;
    for (size_t taken : PairableCandidates(names, candidates, candidateNames, kind)) {
        const size_t entry = candidates[taken].Entry;
        dealt.push_back({list[entry], names[entry].People ? candidateNames[taken] : std::string()});
    }
    return dealt;
}

// The picture's person as its tags or the index have them: a tag's box where it gives one, else the
// face the index recognised; false when neither shows them there any more.
bool PersonOf(const DealtPicture& picture, TaggedPerson* shown) {
    const auto known = Known.find(picture.Path);
    if (picture.Person.empty() || known == Known.end())
        return false;
    bool found = false;
    for (const TaggedPerson& person : known->second.People) {
        if (person.Name == picture.Person) {
            *shown = person;
            found = true;
        }
    }
    const std::vector<RecognisedPerson>* recognised = RecognisedIn(picture.Path);
    for (size_t i = 0; recognised != nullptr && i < recognised->size(); ++i) {
        const RecognisedPerson& person = (*recognised)[i];
        const bool same = person.Name.empty() ? UnnamedPerson(person.Number) == picture.Person
                                              : NameKey(person.Name) == NameKey(picture.Person);
        if (same && !(found && shown->HasBox)) {
            *shown = {picture.Person, true, person.Box};
            found = true;
        }
    }
    return found;
}

// The entries a board of the level needs: its pairs' pictures.
size_t EntriesNeeded(PairKind kind) {
    return PairsNeeded(Level, kind) * PicturesPerPair(kind);
}

} // namespace

PairKind ChosenPairs() {
    return PairKindOf(static_cast<unsigned long>(Pairs));
}

std::vector<EntryNames> NamesOfList(const std::vector<std::string>& list, PairKind kind) {
    ReadRecognised();
    std::vector<EntryNames> names;
    names.reserve(list.size());
    AppendNames(list, 0, list.size(), kind, &names);
    return names;
}

std::vector<DealtPicture> PairableList(const std::vector<std::string>& list, PairKind kind) {
    std::vector<DealtPicture> dealt;
    if (kind == PairKind::Twins) {
        // The people the large view names.
        ReadRecognised();
        for (const std::string& path : list)
            dealt.push_back({path, std::string()});
        return dealt;
    }
    // Twice the board's own, so that pictures that do not decode give way to others, as among twins.
    return Pairable(list, NamesEnough(list, kind, 2 * EntriesNeeded(kind)), kind);
}

std::string DealtName(const DealtPicture& picture) {
    if (IsUnnamedPerson(picture.Person))
        return NarrowText(FormatText(IDS_SOMEONE_UNNAMED, {WideText(PictureTitle(picture.Path), CP_UTF8)}),
                          CP_UTF8);
    if (!picture.Person.empty())
        return picture.Person;
    const auto known = Known.find(picture.Path);
    return known != Known.end() ? known->second.Name : std::string();
}

void NameThenAndNowPairs(std::vector<DealtPicture>* pairs) {
    std::vector<std::string> paths;
    for (const DealtPicture& picture : *pairs)
        paths.push_back(picture.Path);
    const std::vector<EntryNames> names = NamesOfList(paths, PairKind::ThenAndNow);
    for (size_t first = 0; first + 1 < pairs->size(); first += 2) {
        // Each person of the two pictures a candidate, as a deal has them; of each, the picture.
        std::vector<DatedCandidate> candidates;
        std::vector<size_t> pictures;
        for (size_t picture = first; picture < first + 2; ++picture) {
            for (size_t i = 0; names[picture].People && i < names[picture].Names.size(); ++i) {
                candidates.push_back({names[picture].Names[i], names[picture].Taken});
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

bool StillDealtSo(const DealtPicture& picture, PairKind kind) {
    TaggedPerson person;
    return Known.find(picture.Path) != Known.end() &&
           (picture.Person.empty() ? !NamesOf(picture.Path, kind).People : PersonOf(picture, &person));
}

std::vector<std::string> RecognisedNames(const std::string& path) {
    std::vector<std::string> names;
    if (const std::vector<RecognisedPerson>* people = RecognisedIn(path))
        for (const RecognisedPerson& person : *people)
            if (!person.Name.empty())
                names.push_back(person.Name);
    return names;
}

CardFraming DealtFraming(const DealtPicture& picture, PictureFit fit) {
    CardFraming framing(fit);
    TaggedPerson person;
    if (PersonOf(picture, &person) && person.HasBox) {
        framing.HasPerson = true;
        framing.Person = person.Box;
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
