// The people an XMP packet tags, through expat: face regions (Metadata Working Group, Microsoft
// People, IPTC image regions), IPTC's people in the image, and the People branch of keywords.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "pictures/FaceBox.h"

// Where a person was found, in the order of trust: the first is trusted most.
enum class PeopleSource { Mwg, Microsoft, Iptc, Keywords, Google };

// A name or a box as stored, neither cleaned nor checked yet: the box on the stored pixels, in
// fractions of the picture, or in pixels when BoxInPixels.
struct FoundPerson {
    PeopleSource Source = PeopleSource::Mwg;
    std::string Name; // may be empty: a face tagged without a name
    bool HasBox = false;
    bool BoxInPixels = false;
    FaceBox Box;
};

// At most this many people are kept of one packet or file, however many it tags; each name is
// read up to MaxFoundNameBytes.
constexpr size_t MaxFoundPeople = 256;
constexpr size_t MaxFoundNameBytes = 1024;

// Appends to found the people the packet (at most MaxXmpBytes) tags, up to MaxFoundPeople in all.
// Refused as ReadXmp refuses (a document type declaration, entities). A packet malformed or nested
// deeper than a bound part way keeps what was read before the fault, and is read no further.
void ReadXmpPeople(const uint8_t* packet, size_t size, std::vector<FoundPerson>* found);

// The person a keyword names: the leaf of its People branch ("People/Family/Grandma" with the
// separator '/' gives "Grandma"); empty for a flat keyword or another branch.
std::string PersonOfKeyword(const std::string& keyword, char separator);
