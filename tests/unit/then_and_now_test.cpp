#include "rules/ThenAndNow.h"

#include <gtest/gtest.h>

#include "rules/PairChoice.h"

// A year is the same month and day of the next year or later, as calendar days; what is no day of
// the tags' form is never a year apart.
TEST(ThenAndNow, DaysAYearApart) {
    const struct {
        const char* Earlier;
        const char* Later;
        bool Apart;
    } cases[] = {
        {"2000-05-10", "2001-05-10", true},  {"2000-05-10", "2001-05-09", false},
        {"2000-05-10", "2040-01-01", true},  {"2000-02-29", "2001-02-28", false},
        {"2000-02-29", "2001-03-01", true},  {"1999-12-31", "2000-12-31", true},
        {"0999-06-01", "1000-06-01", true},  {"2001-05-10", "2000-05-10", false},
        {"2000-5-10", "2001-05-10", false},  {"2000-13-01", "2002-01-01", false},
        {"2000-05-10", "2001-05-32", false}, {"2000:05:10", "2001-05-10", false},
        {"", "2001-05-10", false},           {"9999-01-01", "9999-12-31", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(YearApart(c.Earlier, c.Later), c.Apart) << c.Earlier << ' ' << c.Later;
}

// Of each person, in the order of their first dated picture, the earliest and the latest, only
// where a year lies between; the first of a day's several; names apart from case are one person.
TEST(ThenAndNow, EarliestAndLatestOfEachPerson) {
    const std::vector<DatedCandidate> candidates = {
        {"Anna", "1990-06-01"}, //  0 Anna's earliest
        {"Bo", "2019-01-01"},   //  1 Bo's pictures lie within a year
        {"anna", "2020-06-01"}, //  2 Anna's latest
        {"Anna", "2000-01-01"}, //  3
        {"Bo", "2019-12-31"},   //  4
        {"Cy", ""},             //  5 undated
        {"Cy", "2010-01-01"},   //  6
        {"", "1950-01-01"},     //  7 nobody
        {"Cy", "2011-01-01"},   //  8
        {"ANNA", "1990-06-01"}, //  9 Anna's earliest day again
        {"Dee", "2005-07-04"},  // 10
        {"Dee", "2006-07-04"},  // 11 a year to the day
        {"Eve", "2010-01-01"},  // 12 Eve's only picture
    };
    EXPECT_EQ(ThenAndNowCandidates(candidates), (std::vector<size_t>{0, 2, 6, 8, 10, 11}));
}

// A deal of then and now takes the people of a group photo each on their own, on its day; a title is
// no person, and an entry with no day no candidate. The names are read until enough people qualify.
TEST(ThenAndNow, DealtFromTaggedDatedEntries) {
    const std::vector<EntryNames> names = {
        {{"Grandma", "Baby"}, true, "1960-08-01"},
        {{"Eve"}, false, "1990-01-01"}, // a title
        {{"Baby"}, true, "2020-01-01"},
        {{"Eve"}, false, "2020-01-01"},
        {{"Grandma"}, true, ""},
        {{"Grandma"}, true, "1961-08-01"},
    };
    std::vector<std::string> candidateNames;
    const std::vector<NameCandidate> candidates = CandidatesOfNames(names, &candidateNames);
    EXPECT_EQ(PairableCandidates(names, candidates, candidateNames, PairKind::ThenAndNow),
              (std::vector<size_t>{0, 6, 1, 3}));
    EXPECT_EQ(PairsOfEntries(4, PairKind::ThenAndNow), 2u);
    // Each person's next year lies 500 entries on: the reading goes on in its runs until people have
    // it, and through the whole list where only titles name.
    const auto library = [](bool people) {
        return [people](size_t from, size_t to, std::vector<EntryNames>* read) {
            for (size_t i = from; i < to; ++i)
                read->push_back(
                    {{"P" + std::to_string(i % 500)}, people, std::to_string(1990 + i / 500) + "-01-01"});
        };
    };
    EXPECT_EQ(NamesUntilEnough(10000, PairKind::ThenAndNow, 4, library(true)).size(), 960u);
    EXPECT_EQ(NamesUntilEnough(10000, PairKind::ThenAndNow, 4, library(false)).size(), 10000u);
}
