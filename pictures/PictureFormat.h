// Which decoder a file's first bytes call for; never its name.
#pragma once

#include <cstddef>
#include <cstdint>

enum class PictureFormat {
    Jpeg,
    Png,
    Gif,
    Webp,
    Bmp,
    Heif,
    // TIFF and the camera RAWs built on it: pixels through the system's codecs, the first directory's
    // metadata through libexif.
    Tiff,
    // None of the game's own decoders claims it: the system's codecs get their chance.
    Other,
};

PictureFormat SniffPictureFormat(const uint8_t* data, size_t size);

// True when an ISO base media file's `ftyp` box names a HEIF brand, as major or compatible brand.
bool IsHeifFile(const uint8_t* data, size_t size);
