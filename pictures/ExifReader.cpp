#include "pictures/ExifReader.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include <libexif/exif-data.h>

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

int ReadExif(const uint8_t* block, size_t size, CarriedFacts* facts) {
    static const uint8_t Header[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (block == nullptr || size < 14 || std::memcmp(block, Header, 6) != 0)
        return 1;
    const std::unique_ptr<ExifData, DataUnref> data(exif_data_new());
    if (!data)
        return 1;
    // Read as it stands: nothing added or mended.
    exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    exif_data_load_data(data.get(), block, unsigned(std::min(size, size_t(UINT_MAX))));
    ExifContent* first = data->ifd[EXIF_IFD_0];
    const ExifByteOrder order = exif_data_get_byte_order(data.get());
    int orientation = 1;
    ExifEntry* entry = exif_content_get_entry(first, EXIF_TAG_ORIENTATION);
    if (entry != nullptr && entry->format == EXIF_FORMAT_SHORT && entry->data != nullptr && entry->size >= 2) {
        const int value = exif_get_short(entry->data, order);
        orientation = value >= 1 && value <= 8 ? value : 1;
    }
    if (facts != nullptr) {
        // Texts are bounded by what a title may hold; UTF-16 takes up to 2 bytes for each of ours.
        facts->XpTitle = Bytes(first, EXIF_TAG_XP_TITLE, EXIF_FORMAT_BYTE, MaxTitleBytes * 2 + 2);
        facts->Description =
            ClipUtf8(Bytes(first, EXIF_TAG_IMAGE_DESCRIPTION, EXIF_FORMAT_ASCII, size), MaxTitleBytes * 4);
        facts->ExifTaken = Bytes(data->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL, EXIF_FORMAT_ASCII, 32);
    }
    return orientation;
}
