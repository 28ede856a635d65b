// Pairs of then and now: of each person, the earliest and the latest picture, a year apart or more.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A picture that shows a person, on the day it was taken. Any source of who a picture shows gives
// these: the names its tags give today, the faces the game recognises later.
struct DatedCandidate {
    std::string Person; // UTF-8, compared as NameKey does
    std::string Taken;  // "YYYY-MM-DD"; anything else leaves the candidate out
};

// Whether the text is a day as the pictures' tags give it, "YYYY-MM-DD" with a month and a day
// that can be.
bool IsDay(const std::string& day);

// Whether `later` is a year after `earlier` or more, as calendar days: the same month and day of
// the next year or any day after (from 29 February, 1 March). Both must be days.
bool YearApart(const std::string& earlier, const std::string& later);

// The candidates a deal takes, in order: for each person, in the order of their first candidate,
// whose earliest and latest dated candidates are a year apart, the earliest and then the latest
// (of a day's several, the first in the list).
std::vector<size_t> ThenAndNowCandidates(const std::vector<DatedCandidate>& candidates);
