// A picture of a deal as the board lists it: its file, and for pairs of a name the person of it
// that its card shows.
#pragma once

#include <string>

struct DealtPicture {
    std::string Path;
    std::string Person; // UTF-8, a name the picture's tags give; empty: the picture as a whole
};

inline bool operator==(const DealtPicture& a, const DealtPicture& b) {
    return a.Path == b.Path && a.Person == b.Person;
}
