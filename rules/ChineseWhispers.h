// Chinese whispers: each face in turn takes the label most of its neighbours hold, until no face
// changes; what holds one label is one group. Deterministic: the order of each pass comes from a
// fixed seed, and a tie keeps the face's own label or else takes the lowest.
#pragma once

#include <cstdint>
#include <vector>

// Each face's label (the index of a face of its group) over the graph of `neighbours`.
std::vector<uint32_t> ChineseWhispers(const std::vector<std::vector<uint32_t>>& neighbours, uint32_t seed = 1,
                                      int maxPasses = 100);
