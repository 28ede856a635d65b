#include "engine/RectDifference.h"

#include <algorithm>

int RectDifference(const PixelRect& from, const PixelRect& cut, PixelRect parts[4]) {
    if (from.Left >= from.Right || from.Top >= from.Bottom)
        return 0;
    const int top = std::max(from.Top, cut.Top), bottom = std::min(from.Bottom, cut.Bottom);
    const int left = std::max(from.Left, cut.Left), right = std::min(from.Right, cut.Right);
    if (top >= bottom || left >= right) {
        parts[0] = from;
        return 1;
    }
    // Whole rows above and below the overlap, then the two sides beside it.
    int count = 0;
    const PixelRect candidates[4] = {{from.Left, from.Top, from.Right, top},
                                     {from.Left, bottom, from.Right, from.Bottom},
                                     {from.Left, top, left, bottom},
                                     {right, top, from.Right, bottom}};
    for (const PixelRect& part : candidates) {
        if (part.Left < part.Right && part.Top < part.Bottom)
            parts[count++] = part;
    }
    return count;
}
