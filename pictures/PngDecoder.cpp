#include "pictures/PngDecoder.h"

#include <png.h>

#include "pictures/PictureScale.h"

namespace {

// Owns libpng's reading state, freed on every way out; libpng's setjmp stays inside libpng.
struct PngImage {
    png_image Image;
    PngImage() : Image() { Image.version = PNG_IMAGE_VERSION; }
    ~PngImage() { png_image_free(&Image); }
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
};

} // namespace

bool DecodePng(const uint8_t* data, size_t size, int width, int height, std::vector<uint32_t>* pixels) {
    PngImage png;
    png_image& image = png.Image;
    if (!png_image_begin_read_from_memory(&image, data, size))
        return false;
    // Every kind (palette, grey, 16-bit, interlaced) comes out as 8-bit RGBA; we lay it over white
    // ourselves, in the file's own colour space as browsers do, rather than libpng's linear blend.
    image.format = PNG_FORMAT_RGBA;
    const size_t stride = PNG_IMAGE_ROW_STRIDE(image);
    if (double(stride) * image.height + double(image.width) * 3 > double(MaxDecodeBytes))
        return false;
    std::vector<uint8_t> rgba(stride * image.height);
    if (!png_image_finish_read(&image, nullptr, rgba.data(), 0, nullptr))
        return false;
    *pixels = ScaleRgbaOverWhite(rgba.data(), stride, int(image.width), int(image.height), width, height);
    return true;
}
