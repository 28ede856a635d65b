#include "pictures/MetadataBlocks.h"

#include "pictures/PictureFacts.h"

std::string ExifBlockOfTiff(const uint8_t* tiff, size_t size) {
    if (tiff == nullptr || size == 0 || size > MaxExifBytes - 6)
        return std::string();
    return std::string("Exif\0\0", 6) + std::string(reinterpret_cast<const char*>(tiff), size);
}
