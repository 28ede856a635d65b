// What a deal reads of the people's index (docs/people-index.md): the people it recognises in each
// picture, the hidden ones left out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "pictures/FaceBox.h"

class FaceIndexStore;

// A person the index recognises in a picture, where their face is.
struct RecognisedPerson {
    int64_t Number = 0;
    std::string Name; // UTF-8, cleaned as a tag's name is; empty when nobody named them
    std::string Tag;  // the name the picture's tags give that face, cleaned so; empty when none
    FaceBox Box;      // on the picture as shown
};

// By picture path (UTF-8); each person once a picture.
using RecognisedPeople = std::unordered_map<std::string, std::vector<RecognisedPerson>>;

// What a deal keeps of a file it cannot trust is bounded: faces in all, and people a picture as many
// as a picture's tags name (MaxPeople).
constexpr size_t MaxRecognisedFaces = 1000000;

// The people of every picture, read in one query; faces with no sound box are left out.
RecognisedPeople ReadRecognisedPeople(FaceIndexStore& store);

// The same of the index file at path; none, and no file made, when there is none.
RecognisedPeople ReadRecognisedPeople(const std::string& path);
