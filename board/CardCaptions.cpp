#include "board/CardCaptions.h"

#include <algorithm>
#include <cstddef>

#include "board/NameCardDrawing.h"

namespace {

// The band's share of the card's height: a name read at a glance, the face above it left whole.
const int BandShare = 4;

} // namespace

void AddCaption(std::vector<uint32_t>* card, int width, int height, const std::string& name) {
    const int band = height / BandShare;
    if (name.empty() || band <= 0 || width <= 0 || card->size() != size_t(width) * size_t(height))
        return;
    const std::vector<uint32_t> caption = DrawNameCard(name, width, band);
    std::copy(caption.begin(), caption.end(), card->end() - std::ptrdiff_t(caption.size()));
}
