// A picture of a deal as the board lists it: its file, and for pairs of a name the person of it
// that its card shows.
#pragma once

#include <cstdint>
#include <string>

struct DealtPicture {
    std::string Path;
    std::string Person; // UTF-8, a name the picture's tags or the people's index give, or an
                        // UnnamedPerson; empty: the picture as a whole
};

// A person the people's index recognises and nobody named yet goes by their number: U+0001 and the
// number, which no name is, since names carry no control characters.
inline std::string UnnamedPerson(int64_t number) {
    return '\x01' + std::to_string(number);
}
inline bool IsUnnamedPerson(const std::string& person) {
    return !person.empty() && person[0] == '\x01';
}

inline bool operator==(const DealtPicture& a, const DealtPicture& b) {
    return a.Path == b.Path && a.Person == b.Person;
}
