// What the People window lists of the index's people, in what order, and what a typed name and a
// "Same person" come to. Platform-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pictures/FaceIndexStore.h"

// The longest name a person keeps, in UTF-8 bytes.
constexpr size_t MaxPersonName = 120;

// The people to list: each with a face, or named, or hidden (one left with none of these is gone
// at the index's next batch). The named first, by name apart from case; then the unnamed, those in
// more pictures first; ties by number, so a list filled again keeps its order.
std::vector<StoredPerson> ListedPeople(std::vector<StoredPerson> people);

// A name as typed, as a person keeps it: without spaces around it, cut to MaxPersonName bytes at a
// character's start; none when nothing is left, which takes a name away.
std::optional<std::string> TypedName(const std::string& utf8);

// Of two people said to be one, the one kept: the named one, else the one in more pictures, else
// the one of the lower number. The kept one's name stands.
const StoredPerson& KeptOfTwo(const StoredPerson& a, const StoredPerson& b);
