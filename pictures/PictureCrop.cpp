#include "pictures/PictureCrop.h"

#include <algorithm>
#include <cstdint>

#include "pictures/ExifOrientation.h"

namespace {

// Where a part of `part` pixels starts along `size` so that its centre sits at `centre` (a fraction
// of size), kept inside the picture.
int PartStart(int size, int part, double centre) {
    const int start = int(size * centre - part / 2.0 + 0.5);
    return std::clamp(start, 0, size - part);
}

} // namespace

PicturePart ShownPart(int width, int height, int cardWidth, int cardHeight, PictureFit fit) {
    if (fit != PictureFit::KeepShape || width < 1 || height < 1 || cardWidth < 1 || cardHeight < 1)
        return {0, 0, width, height};
    // Compared as cross products: width/height against cardWidth/cardHeight without rounding.
    const int64_t wide = int64_t(width) * cardHeight;
    const int64_t card = int64_t(cardWidth) * height;
    if (wide > card) {
        const int partWidth = std::max(1, int((card + cardHeight / 2) / cardHeight));
        return {PartStart(width, partWidth, 0.5), 0, partWidth, height};
    }
    if (wide < card) {
        const int partHeight = std::max(1, int((wide + cardWidth / 2) / cardWidth));
        return {0, PartStart(height, partHeight, 0.4), width, partHeight};
    }
    return {0, 0, width, height};
}

PicturePart StoredPart(const PicturePart& shown, int storedWidth, int storedHeight, int orientation) {
    if (orientation < 2 || orientation > 8)
        return shown;
    const OrientationTurn turn = TurnOf(orientation);
    PicturePart stored =
        turn.Transpose ? PicturePart{shown.Top, shown.Left, shown.Height, shown.Width} : shown;
    if (turn.MirrorX)
        stored.Left = storedWidth - stored.Left - stored.Width;
    if (turn.MirrorY)
        stored.Top = storedHeight - stored.Top - stored.Height;
    return stored;
}

void CoveringSize(int width, int height, int cardWidth, int cardHeight, PictureFit fit, int* coverWidth,
                  int* coverHeight) {
    *coverWidth = cardWidth;
    *coverHeight = cardHeight;
    if (fit != PictureFit::KeepShape || width < 1 || height < 1 || cardWidth < 1 || cardHeight < 1)
        return;
    // The shown part spans the picture along one axis; along the other it is the card's shape.
    const int64_t wide = int64_t(width) * cardHeight;
    const int64_t card = int64_t(cardWidth) * height;
    if (wide > card)
        *coverWidth = int(std::min<int64_t>((wide + height - 1) / height, INT32_MAX));
    else if (wide < card)
        *coverHeight = int(std::min<int64_t>((card + width - 1) / width, INT32_MAX));
}
