#include "pictures/PictureInfo.h"

#include <vector>

#include "pictures/ExifReader.h"
#include "pictures/MetadataBlocks.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureFormat.h"
#include "pictures/XmpReader.h"
#ifdef _WIN32
#include "pictures/WicDecoder.h"
#endif

namespace {

// What the system's codecs read of the formats none of ours does; elsewhere there are none.
void SystemCodecFacts(const uint8_t* data, size_t size, CarriedFacts* facts) {
#ifdef _WIN32
    ReadWicFacts(data, size, facts);
#else
    (void)data;
    (void)size;
    (void)facts;
#endif
}

} // namespace

PictureInfo ReadPictureInfo(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadPictureFile(path.c_str(), &bytes))
        return PictureInfo();
    return ReadPictureInfoData(bytes.data(), bytes.size());
}

PictureInfo ReadPictureInfoData(const uint8_t* data, size_t size) {
    CarriedFacts facts;
    MetadataBlocks blocks;
    if (data == nullptr || size == 0)
        return PictureInfo();
    switch (SniffPictureFormat(data, size)) {
    case PictureFormat::Jpeg:
        JpegMetadata(data, size, &blocks);
        break;
    case PictureFormat::Png:
        PngMetadata(data, size, &blocks);
        break;
    case PictureFormat::Webp:
        WebpMetadata(data, size, &blocks);
        break;
    case PictureFormat::Heif:
        HeifMetadata(data, size, &blocks);
        break;
    case PictureFormat::Other:
        SystemCodecFacts(data, size, &facts);
        break;
    case PictureFormat::Gif:
    case PictureFormat::Bmp:
        break;
    }
    ReadExif(reinterpret_cast<const uint8_t*>(blocks.Exif.data()), blocks.Exif.size(), &facts);
    ReadXmp(reinterpret_cast<const uint8_t*>(blocks.Xmp.data()), blocks.Xmp.size(), &facts);
    return ChooseInfo(facts);
}
