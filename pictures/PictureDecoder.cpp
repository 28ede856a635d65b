#include "pictures/PictureDecoder.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "pictures/BmpDecoder.h"
#include "pictures/ExifReader.h"
#include "pictures/GifDecoder.h"
#include "pictures/HeifDecoder.h"
#include "pictures/JpegDecoder.h"
#include "pictures/PictureFormat.h"
#include "pictures/PictureReading.h"
#include "pictures/PictureScale.h"
#include "pictures/PictureSize.h"
#include "pictures/PngDecoder.h"
#include "pictures/WebpDecoder.h"
#ifdef _WIN32
#include "pictures/CodecHost.h"
#endif

namespace {

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A TIFF's orientation as our own EXIF reader finds it, 0 where it does not reach the file's
// directory.
int TiffOrientation(const uint8_t* data, size_t size) {
    int orientation = 0;
    return ReadTiffDirectory(data, size, &orientation, nullptr, nullptr) ? orientation : 0;
}

// Windows' own codecs, in their host process, for what none of ours reads; elsewhere there are none.
// orientation 0 leaves it to the codec.
#ifdef _WIN32
bool DecodeWithSystemCodecs(const uint8_t* data, size_t size, int width, int height,
                            const CardFraming& framing, int orientation, std::vector<uint32_t>* pixels,
                            const DecodeStop& stop) {
    return HostDecode(data, size, width, height, framing, orientation, pixels, stop);
}
bool SystemCodecSize(const uint8_t* data, size_t size, int orientation, int* width, int* height) {
    int stored = 0;
    if (!HostFrameSize(data, size, orientation, width, height, &stored))
        return false;
    if ((orientation != 0 ? orientation : stored) >= 5)
        std::swap(*width, *height);
    return true;
}
#else
bool DecodeWithSystemCodecs(const uint8_t*, size_t, int, int, const CardFraming&, int, std::vector<uint32_t>*,
                            const DecodeStop&) {
    return false;
}
bool SystemCodecSize(const uint8_t*, size_t, int, int*, int*) {
    return false;
}
#endif

} // namespace

bool ReadPictureFile(const char* path, std::vector<uint8_t>* bytes) {
    // On Windows the narrow path is in the process's ANSI code page.
    const std::unique_ptr<std::FILE, FileClose> file(path != nullptr ? std::fopen(path, "rb") : nullptr);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size <= 0 || size_t(size) > MaxDecodeBytes || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    bytes->resize(size_t(size));
    return std::fread(bytes->data(), 1, bytes->size(), file.get()) == bytes->size();
}

bool DecodePicture(const char* path, int width, int height, const CardFraming& framing,
                   std::vector<uint32_t>* pixels, const DecodeStop& stop, PictureInfo* info) {
    const PictureReading reading(path);
    std::vector<uint8_t> bytes;
    if (!ReadPictureFile(path, &bytes))
        return false;
    if (info == nullptr)
        return DecodePictureData(bytes.data(), bytes.size(), width, height, framing, pixels, stop);
    // The faces its tags box frame the card before any is sought.
    *info = ReadPictureInfoBeside(path, bytes.data(), bytes.size());
    CardFraming tagged = framing;
    if (tagged.Faces.empty())
        tagged.Faces = info->TaggedFaces;
    return DecodePictureData(bytes.data(), bytes.size(), width, height, tagged, pixels, stop);
}

bool DecodePictureData(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                       std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    // The scaler's sums and the result take 16 bytes a pixel; they too stay within the bound.
    if (data == nullptr || width < 1 || height < 1 || double(width) * height * 16 > double(MaxDecodeBytes))
        return false;
    // Told by content, not by name: a PNG saved as .jpg still shows.
    switch (SniffPictureFormat(data, size)) {
    case PictureFormat::Jpeg:
        return DecodeJpeg(data, size, width, height, framing, pixels, stop);
    case PictureFormat::Png:
        return DecodePng(data, size, width, height, framing, pixels, stop);
    case PictureFormat::Gif:
        return DecodeGif(data, size, width, height, framing, pixels, stop);
    case PictureFormat::Webp:
        return DecodeWebp(data, size, width, height, framing, pixels, stop);
    case PictureFormat::Bmp:
        return DecodeBmp(data, size, width, height, framing, pixels, stop);
    case PictureFormat::Heif:
        if (DecodeHeif(data, size, width, height, framing, pixels, stop))
            return true;
        // What libheif cannot read, Windows' HEIF extension may.
        return !stop() && DecodeWithSystemCodecs(data, size, width, height, framing, 0, pixels, stop);
    case PictureFormat::Tiff:
        return DecodeWithSystemCodecs(data, size, width, height, framing, TiffOrientation(data, size), pixels,
                                      stop);
    case PictureFormat::Other:
        return DecodeWithSystemCodecs(data, size, width, height, framing, 0, pixels, stop);
    }
    return false;
}

bool PictureSizeOfData(const uint8_t* data, size_t size, int* width, int* height) {
    if (data == nullptr || size == 0)
        return false;
    switch (SniffPictureFormat(data, size)) {
    case PictureFormat::Jpeg:
        return JpegSize(data, size, width, height);
    case PictureFormat::Png:
        return PngSize(data, size, width, height);
    case PictureFormat::Gif:
        return GifSize(data, size, width, height);
    case PictureFormat::Webp:
        return WebpSize(data, size, width, height);
    case PictureFormat::Bmp:
        return BmpSize(data, size, width, height);
    case PictureFormat::Heif:
        if (HeifSize(data, size, width, height))
            return true;
        return SystemCodecSize(data, size, 0, width, height);
    case PictureFormat::Tiff:
        return SystemCodecSize(data, size, TiffOrientation(data, size), width, height);
    case PictureFormat::Other:
        return SystemCodecSize(data, size, 0, width, height);
    }
    return false;
}
