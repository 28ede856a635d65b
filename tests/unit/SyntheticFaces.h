// Made-up faces for the people's grouping: people as random points at distance 1 from the origin,
// as far apart as dlib's descriptors of two people (about 1.4), and each face of one within 0.25 of
// its person, so that one person's faces lie within 0.5 of each other and two people's beyond 0.6.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "rules/FaceDescriptor.h"

inline FaceDescriptor RandomDirection(std::mt19937* random, float length) {
    std::normal_distribution<float> normal;
    FaceDescriptor d;
    float sum = 0;
    for (float& x : d) {
        x = normal(*random);
        sum += x * x;
    }
    for (float& x : d)
        x *= length / std::sqrt(sum);
    return d;
}

// `people` people of `each` faces, every face in a picture of its own; face i is of person i / each.
inline std::vector<Face> SyntheticFaces(int people, int each, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> spread(0.0f, 0.25f);
    std::vector<Face> faces;
    for (int p = 0; p < people; ++p) {
        const FaceDescriptor centre = RandomDirection(&random, 1.0f);
        for (int f = 0; f < each; ++f) {
            FaceDescriptor d = RandomDirection(&random, spread(random));
            for (size_t k = 0; k < d.size(); ++k)
                d[k] += centre[k];
            const int64_t id = int64_t(faces.size());
            faces.push_back({id, d, "", 1000 + id});
        }
    }
    return faces;
}
