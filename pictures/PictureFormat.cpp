#include "pictures/PictureFormat.h"

#include <cstring>

namespace {

bool StartsWith(const uint8_t* data, size_t size, const char* signature, size_t length) {
    return size >= length && std::memcmp(data, signature, length) == 0;
}

// Still pictures and sequences coded with HEVC, and the brands of the HEIF structure itself. AVIF
// (`avif`, `avis`) is HEIF too but needs an AV1 decoder, which only the system's codecs may have.
bool IsHeifBrand(const uint8_t* brand) {
    static const char* const Brands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1"};
    for (const char* known : Brands) {
        if (std::memcmp(brand, known, 4) == 0)
            return true;
    }
    return false;
}

uint32_t BigEndian32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 | bytes[3];
}

} // namespace

bool IsHeifFile(const uint8_t* data, size_t size) {
    if (size < 16 || std::memcmp(data + 4, "ftyp", 4) != 0)
        return false;
    // The box's size covers major brand, minor version and whole compatible brands; a size past
    // the file only reads as far as the file goes.
    size_t boxSize = BigEndian32(data);
    if (boxSize < 16 || boxSize > size)
        boxSize = size;
    if (IsHeifBrand(data + 8))
        return true;
    for (size_t at = 16; at + 4 <= boxSize; at += 4) {
        if (IsHeifBrand(data + at))
            return true;
    }
    return false;
}

PictureFormat SniffPictureFormat(const uint8_t* data, size_t size) {
    if (data == nullptr)
        return PictureFormat::Other;
    if (StartsWith(data, size, "\xFF\xD8\xFF", 3))
        return PictureFormat::Jpeg;
    if (StartsWith(data, size, "\x89PNG\r\n\x1A\n", 8))
        return PictureFormat::Png;
    if (StartsWith(data, size, "GIF87a", 6) || StartsWith(data, size, "GIF89a", 6))
        return PictureFormat::Gif;
    if (StartsWith(data, size, "RIFF", 4) && size >= 12 && std::memcmp(data + 8, "WEBP", 4) == 0)
        return PictureFormat::Webp;
    if (StartsWith(data, size, "BM", 2))
        return PictureFormat::Bmp;
    if (IsHeifFile(data, size))
        return PictureFormat::Heif;
    if (StartsWith(data, size, "II*\0", 4) || StartsWith(data, size, "MM\0*", 4))
        return PictureFormat::Tiff;
    return PictureFormat::Other;
}
