// The people of a photo library: each face known, the person it belongs to, and what the player
// said of them. Faces are grouped by rules/PeopleGroups.h and corrected by rules/PeopleCorrections.h.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "rules/FaceDescriptor.h"

constexpr int64_t NoPerson = 0;

struct Person {
    int64_t Number;   // from 1, never given again
    std::string Name; // UTF-8; empty when neither a tag nor the player named them
    bool Hidden;      // kept out of deals by the player
};

struct KnownFace {
    Face Seen;
    int64_t Person; // NoPerson when in none
};

struct People {
    std::vector<Person> Persons;  // by number
    std::vector<KnownFace> Faces; // by id
    // (face, person) pairs the player refused: the face never joins that person again by itself.
    std::set<std::pair<int64_t, int64_t>> Refused;
    int64_t NextNumber = 1;
};

// The person of that number, or null.
Person* FindPerson(People* people, int64_t number);
// The known face of that id, or null.
KnownFace* FindFace(People* people, int64_t id);
// The ids of a person's faces, lowest first.
std::vector<int64_t> FacesOf(const People& people, int64_t number);
// The people a deal may show: all but the hidden, by number.
std::vector<int64_t> ShownPeople(const People& people);
