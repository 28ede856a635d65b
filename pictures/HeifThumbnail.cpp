#include "pictures/HeifThumbnail.h"

#include <algorithm>
#include <cstdint>

bool UseHeifThumbnail(int thumbnailWidth, int thumbnailHeight, int primaryWidth, int primaryHeight, int width,
                      int height) {
    if (thumbnailWidth < width || thumbnailHeight < height || primaryWidth < 1 || primaryHeight < 1)
        return false;
    // Same shape, up to the rounding of either side to a whole pixel: a pixel of the thumbnail's
    // width stands for primaryHeight in this cross product, one of its height for primaryWidth.
    const int64_t crossed = int64_t(thumbnailWidth) * primaryHeight - int64_t(thumbnailHeight) * primaryWidth;
    return (crossed < 0 ? -crossed : crossed) <= std::max(primaryWidth, primaryHeight);
}
