#include "pictures/PngDecoder.h"

#include <algorithm>
#include <csetjmp>
#include <cstring>

#include <png.h>

#include "pictures/MetadataBlocks.h"
#include "pictures/PictureFacts.h"
#include "pictures/PictureScale.h"
#include "pictures/PictureSize.h"

namespace {

struct Source {
    const uint8_t* Data;
    size_t Size;
    size_t At;
};

void ReadSource(png_structp png, png_bytep to, size_t length) {
    Source& source = *static_cast<Source*>(png_get_io_ptr(png));
    if (length > source.Size - source.At)
        png_error(png, "file ends early");
    std::memcpy(to, source.Data + source.At, length);
    source.At += length;
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Owns libpng's reading state, destroyed on every way out. libpng reports a fatal error by a
// longjmp to the setjmp in Decode.
struct PngRead {
    png_structp Png;
    png_infop Info = nullptr;
    PngRead() : Png(png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, IgnoreWarning)) {
        if (Png != nullptr)
            Info = png_create_info_struct(Png);
    }
    ~PngRead() { png_destroy_read_struct(&Png, &Info, nullptr); }
    PngRead(const PngRead&) = delete;
    PngRead& operator=(const PngRead&) = delete;
};

// Everything between setjmp and the last row: no C++ object with a destructor is made here, since
// a longjmp out of libpng would skip it. The caller owns the rows. Every kind (palette, grey,
// 16-bit, interlaced) comes out as 8-bit RGBA, as libpng's simplified API gives it: 16-bit samples
// without gamma information taken as linear, the rest as sRGB.
bool Decode(PngRead& read, Source* source, const DecodeStop& stop, std::vector<uint8_t>* rgba,
            png_uint_32* width, png_uint_32* height) {
    png_structp png = read.Png;
    png_infop info = read.Info;
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    png_set_benign_errors(png, 1);
    png_set_read_fn(png, source, ReadSource);
    png_read_info(png, info);
    *width = png_get_image_width(png, info);
    *height = png_get_image_height(png, info);
    const int depth = png_get_bit_depth(png, info);
    const int type = png_get_color_type(png, info);
    // Laid over white by us, in the file's own colour space as browsers do, not by libpng's linear blend.
    if (double(*width) * *height * 4 + double(*width) * 3 > double(MaxDecodeBytes))
        return false;
    png_set_expand(png);
    if ((type & PNG_COLOR_MASK_COLOR) == 0)
        png_set_gray_to_rgb(png);
    png_set_alpha_mode_fixed(png, PNG_ALPHA_PNG, depth == 16 ? PNG_GAMMA_LINEAR : PNG_DEFAULT_sRGB);
    png_set_scale_16(png);
    if ((type & PNG_COLOR_MASK_ALPHA) == 0 && !png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_alpha_mode_fixed(png, PNG_ALPHA_PNG, PNG_DEFAULT_sRGB);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const size_t stride = size_t(*width) * 4;
    if (png_get_rowbytes(png, info) != stride)
        return false;
    rgba->resize(stride * *height);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < *height; ++y) {
            if (stop())
                return false;
            png_read_row(png, rgba->data() + stride * y, nullptr);
        }
    }
    return true;
}

// The chunks before the image data; no chunk larger than an XMP packet may be is held. Nothing
// with a destructor is made between setjmp and the end.
bool ReadChunks(PngRead& read, Source* source) {
    if (setjmp(png_jmpbuf(read.Png)) != 0)
        return false;
    png_set_benign_errors(read.Png, 1);
    png_set_chunk_malloc_max(read.Png, MaxXmpBytes + 4096);
    png_set_read_fn(read.Png, source, ReadSource);
    png_read_info(read.Png, read.Info);
    return true;
}

} // namespace

bool PngSize(const uint8_t* data, size_t size, int* width, int* height) {
    PngRead read;
    Source source = {data, size, 0};
    if (read.Info == nullptr || !ReadChunks(read, &source))
        return false;
    *width = int(png_get_image_width(read.Png, read.Info));
    *height = int(png_get_image_height(read.Png, read.Info));
    return *width > 0 && *height > 0;
}

void PngMetadata(const uint8_t* data, size_t size, MetadataBlocks* blocks) {
    PngRead read;
    Source source = {data, size, 0};
    if (read.Info == nullptr || !ReadChunks(read, &source))
        return;
    png_uint_32 exifSize = 0;
    png_bytep exif = nullptr;
    if (png_get_eXIf_1(read.Png, read.Info, &exifSize, &exif) != 0 && exif != nullptr)
        blocks->Exif = ExifBlockOfTiff(exif, exifSize);
    png_textp texts = nullptr;
    const int count = png_get_text(read.Png, read.Info, &texts, nullptr);
    for (int i = 0; i < count; ++i) {
        if (std::strcmp(texts[i].key, "XML:com.adobe.xmp") == 0 && texts[i].text != nullptr &&
            texts[i].itxt_length <= MaxXmpBytes) {
            blocks->Xmp.assign(texts[i].text, texts[i].itxt_length);
            break;
        }
    }
}

bool DecodePng(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
               std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    PngRead read;
    if (read.Info == nullptr)
        return false;
    Source source = {data, size, 0};
    std::vector<uint8_t> rgba;
    png_uint_32 pictureWidth = 0;
    png_uint_32 pictureHeight = 0;
    if (!Decode(read, &source, stop, &rgba, &pictureWidth, &pictureHeight))
        return false;
    *pixels = ScaleRgbaOverWhite(rgba.data(), size_t(pictureWidth) * 4, int(pictureWidth), int(pictureHeight),
                                 width, height, framing);
    return true;
}
