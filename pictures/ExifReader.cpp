#include "pictures/ExifReader.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include <libexif/exif-data.h>

#include "pictures/MetadataBlocks.h"

namespace {

struct DataUnref {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};

// The bytes of an entry of the given format, bounded; empty when the entry is missing or of
// another format.
std::string Bytes(ExifContent* content, ExifTag tag, ExifFormat format, size_t bound) {
    ExifEntry* entry = exif_content_get_entry(content, tag);
    if (entry == nullptr || entry->format != format || entry->data == nullptr)
        return std::string();
    return std::string(reinterpret_cast<const char*>(entry->data), std::min(size_t(entry->size), bound));
}

} // namespace

namespace {

// The first directory of block read, or nothing when the block is no EXIF.
std::unique_ptr<ExifData, DataUnref> Load(const uint8_t* block, size_t size) {
    static const uint8_t Header[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (block == nullptr || size < 14 || std::memcmp(block, Header, 6) != 0)
        return nullptr;
    std::unique_ptr<ExifData, DataUnref> data(exif_data_new());
    if (!data)
        return nullptr;
    // Read as it stands: nothing added or mended.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(data.get(), block, unsigned(std::min(size, size_t(UINT_MAX))));
    return data;
}

int Orientation(ExifData* data) {
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_ORIENTATION);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->data == nullptr || entry->size < 2)
        return 1;
    const int value = exif_get_short(entry->data, exif_data_get_byte_order(data));
    return value >= 1 && value <= 8 ? value : 1;
}

void Facts(ExifData* data, size_t size, CarriedFacts* facts) {
    ExifContent* first = data->ifd[EXIF_IFD_0];
    // Texts are bounded by what a title may hold; UTF-16 takes up to 2 bytes for each of ours.
    facts->XpTitle = Bytes(first, EXIF_TAG_XP_TITLE, EXIF_FORMAT_BYTE, MaxTitleBytes * 2 + 2);
    facts->Description =
        ClipUtf8(Bytes(first, EXIF_TAG_IMAGE_DESCRIPTION, EXIF_FORMAT_ASCII, size), MaxTitleBytes * 4);
    facts->ExifTaken = Bytes(data->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL, EXIF_FORMAT_ASCII, 32);
}

} // namespace

std::string ExifBlockOfTiff(const uint8_t* tiff, size_t size) {
    if (tiff == nullptr || size == 0 || size > MaxExifBytes - 6)
        return std::string();
    return std::string("Exif\0\0", 6) + std::string(reinterpret_cast<const char*>(tiff), size);
}

int ReadExif(const uint8_t* block, size_t size, CarriedFacts* facts) {
    const std::unique_ptr<ExifData, DataUnref> data = Load(block, size);
    if (!data)
        return 1;
    if (facts != nullptr)
        Facts(data.get(), size, facts);
    return Orientation(data.get());
}

bool ReadTiffDirectory(const uint8_t* tiff, size_t size, int* orientation, CarriedFacts* facts,
                       std::string* xmp) {
    // What libexif would read of it anyway; the rest of a large TIFF is not copied.
    const size_t reach = 0xFFFE - 6;
    const std::string block = ExifBlockOfTiff(tiff, std::min(size, reach));
    const std::unique_ptr<ExifData, DataUnref> data =
        Load(reinterpret_cast<const uint8_t*>(block.data()), block.size());
    if (!data || data->ifd[EXIF_IFD_0]->count == 0)
        return false;
    *orientation = Orientation(data.get());
    if (facts != nullptr)
        Facts(data.get(), block.size(), facts);
    if (xmp != nullptr) {
        // Writers store the packet as BYTE or UNDEFINED; a larger one is not read at all.
        ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_XML_PACKET);
        if (entry != nullptr && entry->data != nullptr && entry->size <= MaxXmpBytes &&
            (entry->format == EXIF_FORMAT_BYTE || entry->format == EXIF_FORMAT_UNDEFINED))
            xmp->assign(reinterpret_cast<const char*>(entry->data), entry->size);
    }
    return true;
}
