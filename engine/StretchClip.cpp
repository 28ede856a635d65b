#include "engine/StretchClip.h"

#include <algorithm>
#include <cstdint>

namespace {

// Source span [first, last) that the visible destination span [visibleFirst, visibleLast) of the
// whole span [destFirst, destLast) shows; rounded to the nearest pixel, never empty.
void CropSpan(int destFirst, int destLast, int visibleFirst, int visibleLast, int sourceLength, int* first,
              int* last) {
    const int64_t destLength = static_cast<int64_t>(destLast) - destFirst;
    auto map = [&](int x) {
        const int64_t offset = static_cast<int64_t>(x) - destFirst;
        return static_cast<int>((offset * sourceLength * 2 + destLength) / (destLength * 2));
    };
    *first = map(visibleFirst);
    *last = map(visibleLast);
    if (*last <= *first) {
        if (*first < sourceLength)
            *last = *first + 1;
        else
            *first = *last - 1;
    }
}

} // namespace

bool ClipStretch(const PixelRect& destination, int sourceWidth, int sourceHeight, int boundsWidth,
                 int boundsHeight, PixelRect* clippedDestination, PixelRect* source) {
    if (destination.Right <= destination.Left || destination.Bottom <= destination.Top)
        return false;
    if (sourceWidth <= 0 || sourceHeight <= 0)
        return false;

    PixelRect visible;
    visible.Left = std::max(destination.Left, 0);
    visible.Top = std::max(destination.Top, 0);
    visible.Right = std::min(destination.Right, boundsWidth);
    visible.Bottom = std::min(destination.Bottom, boundsHeight);
    if (visible.Right <= visible.Left || visible.Bottom <= visible.Top)
        return false;

    CropSpan(destination.Left, destination.Right, visible.Left, visible.Right, sourceWidth, &source->Left,
             &source->Right);
    CropSpan(destination.Top, destination.Bottom, visible.Top, visible.Bottom, sourceHeight, &source->Top,
             &source->Bottom);
    *clippedDestination = visible;
    return true;
}
