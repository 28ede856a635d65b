#include "rules/FaceDescriptor.h"

#include <cstddef>

float SquaredDistanceWithin(const FaceDescriptor& a, const FaceDescriptor& b, float bound) {
    // Eight sums side by side, added in a fixed order: the compiler may keep them in vector
    // registers, and the result is the same bit for bit whichever faces' order asks.
    constexpr size_t Lanes = 8;
    constexpr size_t Block = 32;
    float sum = 0;
    for (size_t start = 0; start < a.size(); start += Block) {
        float lanes[Lanes] = {};
        for (size_t i = start; i < start + Block; i += Lanes) {
            for (size_t k = 0; k < Lanes; ++k) {
                const float d = a[i + k] - b[i + k];
                lanes[k] += d * d;
            }
        }
        sum +=
            ((lanes[0] + lanes[1]) + (lanes[2] + lanes[3])) + ((lanes[4] + lanes[5]) + (lanes[6] + lanes[7]));
        if (sum > bound)
            return sum;
    }
    return sum;
}
