// A face as the people's grouping sees it: the 128 numbers dlib's face descriptor measures, the
// picture it is in and the name a tag gave it; and the distance between two faces.
#pragma once

#include <array>
#include <cstdint>
#include <string>

using FaceDescriptor = std::array<float, 128>;

// dlib's threshold: two faces of one person lie closer than this.
constexpr float SamePersonDistance = 0.6f;

struct Face {
    int64_t Id; // in the faces' index
    FaceDescriptor Descriptor;
    std::string Name; // UTF-8, as a tag gave it; empty when none did
    int64_t Picture;  // in the faces' index
};

// The squared distance of two faces, or a number above `bound` as soon as the sum passes it: most
// pairs are of two people, and their sum passes it within the first blocks.
float SquaredDistanceWithin(const FaceDescriptor& a, const FaceDescriptor& b, float bound);
