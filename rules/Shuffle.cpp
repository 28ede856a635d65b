#include "rules/Shuffle.h"

#include <cstdint>
#include <utility>

void ShuffleList(std::vector<std::string>& list, const RandomDraw& draw) {
    for (size_t k = 1; k < list.size(); ++k) {
        const uint32_t m = static_cast<uint32_t>(k + 1);
        uint32_t r = static_cast<uint32_t>(draw()) & 0x7FFF;
        uint32_t range = 0x7FFF;
        // Long lists need more than 15 bits: widen by further draws until the range covers m.
        while (range < m && range != 0xFFFFFFFFu) {
            r = (r << 15) | (static_cast<uint32_t>(draw()) & 0x7FFF);
            range = (range << 15) | 0x7FFF;
        }
        std::swap(list[k], list[r % m]);
    }
}
