#include "pictures/BmpStbDecoder.h"

#include <climits>
#include <cmath>
#include <memory>

// The one place stb_image is compiled, with only the decoders the game reads it for.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb_image.h>

#include "pictures/PictureScale.h"

namespace {

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// One row of 1 to 4 channels (grey, grey and alpha, RGB, RGBA) as RGB on a white ground.
void ToRgb(const stbi_uc* from, int width, int channels, uint8_t* rgb) {
    const bool alpha = channels == 2 || channels == 4;
    const int colours = alpha ? channels - 1 : channels;
    for (int x = 0; x < width; ++x, from += channels, rgb += 3) {
        const int a = alpha ? from[colours] : 255;
        for (int c = 0; c < 3; ++c) {
            const int value = from[colours == 1 ? 0 : c];
            rgb[c] = uint8_t((value * a + 255 * (255 - a) + 127) / 255);
        }
    }
}

uint32_t Little(const uint8_t* data, int bytes) {
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | data[i];
    return value;
}

// stb_image reads past the end of a BMP as zeros; a file too short for the rows it claims is cut off.
bool BmpHoldsItsRows(const uint8_t* data, size_t size) {
    if (size < 26)
        return false;
    const uint32_t header = Little(data + 14, 4);
    const bool core = header == 12; // the OS/2 header, with 16-bit sizes
    if (!core && size < 30)
        return false;
    const double width = core ? Little(data + 18, 2) : double(int32_t(Little(data + 18, 4)));
    const double height = core ? Little(data + 20, 2) : double(int32_t(Little(data + 22, 4)));
    const double bits = Little(data + (core ? 24 : 28), 2);
    const double rowBytes = std::floor((std::fabs(width) * bits + 31) / 32) * 4;
    return double(Little(data + 10, 4)) + rowBytes * std::fabs(height) <= double(size);
}

} // namespace

bool DecodeBmpStb(const uint8_t* data, size_t size, int width, int height, std::vector<uint32_t>* pixels) {
    if (size > size_t(INT_MAX))
        return false;
    const int length = int(size);
    int imageWidth = 0;
    int imageHeight = 0;
    int channels = 0;
    if (!stbi_info_from_memory(data, length, &imageWidth, &imageHeight, &channels) ||
        !BmpHoldsItsRows(data, size))
        return false;
    if (2.0 * imageWidth * imageHeight * channels > double(MaxDecodeBytes))
        return false;
    const std::unique_ptr<stbi_uc, StbFree> image(
        stbi_load_from_memory(data, length, &imageWidth, &imageHeight, &channels, 0));
    if (!image || channels < 1 || channels > 4)
        return false;
    AreaScaler scaler(imageWidth, imageHeight, width, height);
    std::vector<uint8_t> row(size_t(imageWidth) * 3);
    for (int y = 0; y < imageHeight; ++y) {
        ToRgb(image.get() + size_t(y) * imageWidth * channels, imageWidth, channels, row.data());
        scaler.AddRow(row.data());
    }
    *pixels = scaler.Pixels();
    return true;
}
