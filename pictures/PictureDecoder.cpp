#include "pictures/PictureDecoder.h"

#include <cstdio>
#include <memory>

#include "pictures/BmpDecoder.h"
#include "pictures/GifDecoder.h"
#include "pictures/HeifDecoder.h"
#include "pictures/JpegDecoder.h"
#include "pictures/PictureFormat.h"
#include "pictures/PictureScale.h"
#include "pictures/PngDecoder.h"
#include "pictures/WebpDecoder.h"

namespace {

struct FileClose {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file, when it can be read and is no larger than a picture may be.
bool ReadFile(const char* path, std::vector<uint8_t>* bytes) {
    // The narrow path, as the folder scan found it: on Windows it is in the process's ANSI code page.
    const std::unique_ptr<std::FILE, FileClose> file(std::fopen(path, "rb"));
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size <= 0 || size_t(size) > MaxDecodeBytes || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    bytes->resize(size_t(size));
    return std::fread(bytes->data(), 1, bytes->size(), file.get()) == bytes->size();
}

} // namespace

bool DecodePicture(const char* path, int width, int height, std::vector<uint32_t>* pixels) {
    std::vector<uint8_t> bytes;
    return path != nullptr && ReadFile(path, &bytes) &&
           DecodePictureData(bytes.data(), bytes.size(), width, height, pixels);
}

bool DecodePictureData(const uint8_t* data, size_t size, int width, int height,
                       std::vector<uint32_t>* pixels) {
    // The scaler's sums and the result take 16 bytes a pixel; they too stay within the bound.
    if (data == nullptr || width < 1 || height < 1 || double(width) * height * 16 > double(MaxDecodeBytes))
        return false;
    // Told by content, not by name: a PNG saved as .jpg still shows.
    switch (SniffPictureFormat(data, size)) {
    case PictureFormat::Jpeg:
        return DecodeJpeg(data, size, width, height, pixels);
    case PictureFormat::Png:
        return DecodePng(data, size, width, height, pixels);
    case PictureFormat::Gif:
        return DecodeGif(data, size, width, height, pixels);
    case PictureFormat::Webp:
        return DecodeWebp(data, size, width, height, pixels);
    case PictureFormat::Bmp:
        return DecodeBmp(data, size, width, height, pixels);
    case PictureFormat::Heif:
        return DecodeHeif(data, size, width, height, pixels, DecodeStop());
    case PictureFormat::Other:
        break;
    }
    return false;
}
