#include "rules/ChineseWhispers.h"

#include <algorithm>
#include <random>
#include <utility>

namespace {

// The label most of a face's neighbours hold; on a tie its own when among them, else the lowest.
uint32_t MostHeld(const std::vector<uint32_t>& neighbours, const std::vector<uint32_t>& labels, uint32_t own,
                  std::vector<uint32_t>* held) {
    held->clear();
    for (uint32_t n : neighbours)
        held->push_back(labels[n]);
    std::sort(held->begin(), held->end());
    uint32_t best = own;
    size_t bestCount = 0;
    for (size_t i = 0; i < held->size();) {
        size_t j = i;
        while (j < held->size() && (*held)[j] == (*held)[i])
            ++j;
        const size_t count = j - i;
        // Labels come lowest first: a later one replaces the best only by more, or by as many when it is the
        // face's own.
        if (count > bestCount || (count == bestCount && (*held)[i] == own)) {
            best = (*held)[i];
            bestCount = count;
        }
        i = j;
    }
    return best;
}

} // namespace

std::vector<uint32_t> ChineseWhispers(const std::vector<std::vector<uint32_t>>& neighbours, uint32_t seed,
                                      int maxPasses) {
    const uint32_t count = uint32_t(neighbours.size());
    std::vector<uint32_t> labels(count);
    std::vector<uint32_t> order(count);
    for (uint32_t i = 0; i < count; ++i)
        labels[i] = order[i] = i;
    // mt19937's numbers are the same on every compiler; std::shuffle's use of them is not.
    std::mt19937 random(seed);
    std::vector<uint32_t> held;
    for (int pass = 0; pass < maxPasses; ++pass) {
        for (uint32_t i = count; i > 1; --i)
            std::swap(order[i - 1], order[random() % i]);
        bool changed = false;
        for (uint32_t face : order) {
            if (neighbours[face].empty())
                continue;
            const uint32_t label = MostHeld(neighbours[face], labels, labels[face], &held);
            changed = changed || label != labels[face];
            labels[face] = label;
        }
        if (!changed)
            break;
    }
    return labels;
}
