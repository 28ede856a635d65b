// A list of names in the player's language: "Ann", "Ann and Bob", "Ann, Bob and Cy".
#pragma once

#include <string>
#include <vector>

// The patterns a language joins names with (FillPattern, rules/CardSpeech.h): %1 the list so far,
// %2 the next name. English unless the caller fills them from the string table.
struct ListWords {
    std::string Comma = "%1, %2";  // before each name but the first and the last
    std::string And = "%1 and %2"; // before the last
};

// The names joined, UTF-8; empty when there are none.
std::string NameList(const std::vector<std::string>& names, const ListWords& words = ListWords());
