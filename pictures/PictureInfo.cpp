#include "pictures/PictureInfo.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "pictures/ExifReader.h"
#include "pictures/ExifOrientation.h"
#include "pictures/ExtendedXmp.h"
#include "pictures/GooglePeople.h"
#include "pictures/MetadataBlocks.h"
#include "pictures/PeopleChoice.h"
#include "pictures/PeopleXmp.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureFormat.h"
#include "pictures/PictureReading.h"
#include "pictures/PictureSize.h"
#include "pictures/Sidecars.h"
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

// What a file holds of itself: the facts its name and date are chosen from, the people it tags,
// and the orientation it is shown at.
struct FileMetadata {
    CarriedFacts Facts;
    std::vector<FoundPerson> Found;
    int Orientation = 1;
};

void ReadFileMetadata(const uint8_t* data, size_t size, FileMetadata* read) {
    MetadataBlocks blocks;
    // Only JPEG's and the system codecs' formats, and TIFF, are shown turned by their EXIF.
    bool turned = true;
    switch (SniffPictureFormat(data, size)) {
    case PictureFormat::Jpeg:
        JpegMetadata(data, size, &blocks);
        break;
    case PictureFormat::Png:
        PngMetadata(data, size, &blocks);
        turned = false;
        break;
    case PictureFormat::Webp:
        WebpMetadata(data, size, &blocks);
        turned = false;
        break;
    case PictureFormat::Heif:
        HeifMetadata(data, size, &blocks);
        turned = false;
        break;
    case PictureFormat::Tiff:
        // Its first directory is EXIF's own structure, read by our own reader, never a codec's.
        ReadTiffDirectory(data, size, &read->Orientation, &read->Facts, &blocks.Xmp);
        break;
    case PictureFormat::Other:
        SystemCodecBlocks(data, size, &blocks);
        break;
    case PictureFormat::Gif:
    case PictureFormat::Bmp:
        break;
    }
    const int orientation =
        ReadExif(reinterpret_cast<const uint8_t*>(blocks.Exif.data()), blocks.Exif.size(), &read->Facts);
    if (!blocks.Exif.empty() && turned)
        read->Orientation = orientation;
    if (!turned)
        read->Orientation = 1;
    const uint8_t* xmp = reinterpret_cast<const uint8_t*>(blocks.Xmp.data());
    ReadXmp(xmp, blocks.Xmp.size(), &read->Facts);
    ReadXmpPeople(xmp, blocks.Xmp.size(), &read->Found);
    // The extension holds what was too large for the main packet, regions above all: only their
    // people are read of it, the title and dates being the main packet's.
    const std::string extension = AssembleExtendedXmp(blocks.XmpExtension, read->Facts.XmpExtension);
    ReadXmpPeople(reinterpret_cast<const uint8_t*>(extension.data()), extension.size(), &read->Found);
}

PictureInfo Chosen(const FileMetadata& read, const uint8_t* data, size_t size) {
    PictureInfo info = ChooseInfo(read.Facts);
    // The stored size only for boxes in pixels, seldom written: most pictures are not read twice.
    int width = 0;
    int height = 0;
    if (std::any_of(read.Found.begin(), read.Found.end(),
                    [](const FoundPerson& p) { return p.BoxInPixels; }) &&
        PictureSizeOfData(data, size, &width, &height) && TurnOf(read.Orientation).Transpose)
        std::swap(width, height);
    ChoosePeople(read.Found, read.Orientation, width, height, &info);
    return info;
}

// The people of the picture's Google Photos JSON beside it, from the first candidate that is its.
void ReadGooglePeople(const std::string& path, std::vector<FoundPerson>* found) {
    const size_t cut = path.find_last_of("/\\") + 1;
    const std::string name = path.substr(cut);
    for (const GoogleJsonName& candidate : GoogleJsonNames(name)) {
        std::string json;
        GoogleJson read;
        if (!ReadSmallFile(path.substr(0, cut) + candidate.Name, MaxGoogleJsonBytes, &json) ||
            !ReadGoogleJson(json, &read) || (!candidate.Whole && read.Title != name))
            continue;
        for (const std::string& person : read.People) {
            if (found->size() < MaxFoundPeople)
                found->push_back(FoundPerson{PeopleSource::Google, person, false, false, FaceBox()});
        }
        return;
    }
}

} // namespace

PictureInfo ReadPictureInfo(const std::string& path) {
    const PictureReading reading(path.c_str());
    std::vector<uint8_t> bytes;
    if (!ReadPictureFile(path.c_str(), &bytes))
        return PictureInfo();
    return ReadPictureInfoBeside(path, bytes.data(), bytes.size());
}

PictureInfo ReadPictureInfoBeside(const std::string& path, const uint8_t* data, size_t size) {
    if (data == nullptr || size == 0)
        return PictureInfo();
    FileMetadata read;
    ReadFileMetadata(data, size, &read);
    // Its sidecars and Google's JSON add the people they tag after the file's own, while there is
    // room; the file's title and orientation stand.
    for (const std::string& sidecar : SidecarPaths(path)) {
        std::string xmp;
        if (read.Found.size() < MaxFoundPeople && ReadSmallFile(sidecar, MaxXmpBytes, &xmp))
            ReadXmpPeople(reinterpret_cast<const uint8_t*>(xmp.data()), xmp.size(), &read.Found);
    }
    if (read.Found.size() < MaxFoundPeople)
        ReadGooglePeople(path, &read.Found);
    return Chosen(read, data, size);
}

PictureInfo ReadPictureInfoData(const uint8_t* data, size_t size) {
    if (data == nullptr || size == 0)
        return PictureInfo();
    FileMetadata read;
    ReadFileMetadata(data, size, &read);
    return Chosen(read, data, size);
}
