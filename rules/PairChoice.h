// Which pictures of a shuffled list can make a deal's pairs, by the kind of pairs the player chose.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// What the two cards of a pair show: kept as the setting "Pairs".
enum class PairKind { Twins = 0, PictureAndName = 1, TwoOfOneName = 2, ThenAndNow = 3 };

// A stored value as a kind: anything but 1, 2 or 3 deals twin pictures, as the game always did.
PairKind PairKindOf(unsigned long stored);

// The entries of the list a deal of that kind takes its pictures from, in the order it takes them;
// names[i] is entry i's name (NameRules.h), empty when it has none.
// - twins: every entry;
// - a picture and its name: each named entry whose name, apart from case, came before in none;
// - two of one name: for each name, in the order of its first picture, that has two or more
//   pictures, its first two, one after the other;
// - then and now: as two of one name, where names alone are known (a kept round's pairs); a deal
//   chooses by the days too (PairableCandidates).
std::vector<size_t> PairableEntries(const std::vector<std::string>& names, PairKind kind);

// The names of one entry of a list: for pairs of a name, each person its tags name gives a card of
// their own; an entry naming nobody is named as a whole by its title or file name; none when it has
// no name. Then and now takes only the people, on the day the entry was taken.
struct EntryNames {
    std::vector<std::string> Names;
    bool People = false; // the names are the people its tags name
    std::string Taken;   // "YYYY-MM-DD" its tags give; empty when unknown
};

// A person the people's index recognises in a picture: their number and their name, empty when
// nobody named them.
struct RecognisedName {
    int64_t Number;
    std::string Name;
    std::string Tag; // the name the picture's tags give their face; empty when none
};

// An entry's names for a deal of that kind: the people its tags name and those the people's index
// recognises in it, a recognised person whose name (apart from case) a tag gives, or whose face a
// tag names, being that tag's person, under the name the player gave them where they did; one not
// named yet goes by their number (UnnamedPerson), but for a picture and its name, whose name card
// needs a name. Else, naming nobody, its title or file name (`name`).
EntryNames NamesOfEntry(const std::vector<std::string>& tagged, const std::vector<RecognisedName>& recognised,
                        const std::string& name, const std::string& taken, PairKind kind);

// One card a deal of a name can take: an entry and which of its names.
struct NameCandidate {
    size_t Entry;
    size_t Name;
};

// Every entry's names as candidates in the list's order, and each candidate's name beside it (the
// names PairableEntries chooses from).
std::vector<NameCandidate> CandidatesOfNames(const std::vector<EntryNames>& names,
                                             std::vector<std::string>* candidateNames);

// The candidates of those entries a deal of that kind takes, in order: for then and now, of each
// tagged person their earliest and latest dated candidates a year apart (ThenAndNow.h), a title
// being no person; else PairableEntries of the candidates' names.
std::vector<size_t> PairableCandidates(const std::vector<EntryNames>& names,
                                       const std::vector<NameCandidate>& candidates,
                                       const std::vector<std::string>& candidateNames, PairKind kind);

// The names of a list's first entries, read in growing runs by read(from, to, names), which appends
// the names of entries [from, to), until their candidates make `enough` entries of that kind or the
// list of `count` ends: a library of 100,000 pictures is not opened whole for a board of a few pairs.
std::vector<EntryNames>
NamesUntilEnough(size_t count, PairKind kind, size_t enough,
                 const std::function<void(size_t, size_t, std::vector<EntryNames>*)>& read);

// How many pairs those entries make.
size_t PairsOfEntries(size_t entries, PairKind kind);

// The pictures of one pair: each pair of twins or of a picture and its name is one picture, each
// pair of one name or of then and now two.
inline size_t PicturesPerPair(PairKind kind) {
    return kind == PairKind::TwoOfOneName || kind == PairKind::ThenAndNow ? 2 : 1;
}
