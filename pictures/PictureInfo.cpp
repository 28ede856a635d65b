#include "pictures/PictureInfo.h"

#include <string>
#include <vector>

#include "pictures/ExifReader.h"
#include "pictures/MetadataBlocks.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureFormat.h"
#include "pictures/XmpReader.h"
#ifdef _WIN32
#include "pictures/CodecHost.h"
#endif

namespace {

// What the system's codecs hold of the formats none of ours reads, read in their host; elsewhere
// there are none.
void SystemCodecBlocks(const uint8_t* data, size_t size, MetadataBlocks* blocks) {
#ifdef _WIN32
    HostBlocks(data, size, blocks);
#else
    (void)data;
    (void)size;
    (void)blocks;
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
    case PictureFormat::Tiff: {
        // Its first directory is EXIF's own structure, read by our own reader, never a codec's.
        int orientation = 1;
        std::string xmp;
        ReadTiffDirectory(data, size, &orientation, &facts, &xmp);
        ReadXmp(reinterpret_cast<const uint8_t*>(xmp.data()), xmp.size(), &facts);
        return ChooseInfo(facts);
    }
    case PictureFormat::Other:
        SystemCodecBlocks(data, size, &blocks);
        break;
    case PictureFormat::Gif:
    case PictureFormat::Bmp:
        break;
    }
    ReadExif(reinterpret_cast<const uint8_t*>(blocks.Exif.data()), blocks.Exif.size(), &facts);
    ReadXmp(reinterpret_cast<const uint8_t*>(blocks.Xmp.data()), blocks.Xmp.size(), &facts);
    return ChooseInfo(facts);
}
