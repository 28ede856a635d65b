#include "pictures/HeifDecoder.h"

#include <cmath>
#include <memory>
#include <string>

#include <libheif/heif.h>

#include "pictures/HeifThumbnail.h"
#include "pictures/MetadataBlocks.h"
#include "pictures/PictureFacts.h"
#include "pictures/PictureScale.h"
#include "pictures/PictureSize.h"

namespace {

struct ContextFree {
    void operator()(heif_context* context) const { heif_context_free(context); }
};
struct HandleRelease {
    void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct ImageRelease {
    void operator()(heif_image* image) const { heif_image_release(image); }
};
struct OptionsFree {
    void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};
using Handle = std::unique_ptr<heif_image_handle, HandleRelease>;

// What a pixel of a decoded image may take at once: the codec's picture and libheif's copy of it
// (up to 3 bytes each at 10 bits and 4:2:0) and the RGBA result.
constexpr size_t BytesPerPixel = 10;
constexpr size_t MaxPixels = MaxDecodeBytes / BytesPerPixel;

bool Fits(int width, int height) {
    return width > 0 && height > 0 && double(width) * height <= double(MaxPixels);
}

// libheif checks each image's declared size against the limit while it reads the file and again
// before it allocates the image's pixels. A photo too large for the bound may still hold a thumbnail
// that is not, so the file is read under a limit of a byte a pixel and decoded under the real one.
void LimitImageSize(heif_context* context, size_t pixels) {
#if LIBHEIF_HAVE_VERSION(1, 19, 0)
    heif_security_limits* limits = heif_context_get_security_limits(context);
    limits->max_image_size_pixels = pixels;
    limits->max_memory_block_size = MaxDecodeBytes;
#else
    heif_context_set_maximum_image_size_limit(context, int(std::sqrt(double(pixels))));
#endif
}

#if LIBHEIF_HAVE_VERSION(1, 19, 0)
int AskStop(void* stop) {
    return (*static_cast<const DecodeStop*>(stop))() ? 1 : 0;
}
#endif

// The primary image's first thumbnail that can stand for it on the card; none when there is none.
Handle CoveringThumbnail(heif_image_handle* primary, int width, int height, const CardFraming& framing) {
    const int primaryWidth = heif_image_handle_get_width(primary);
    const int primaryHeight = heif_image_handle_get_height(primary);
    int coverWidth = 0;
    int coverHeight = 0;
    CoveringSize(primaryWidth, primaryHeight, width, height, framing, &coverWidth, &coverHeight);
    heif_item_id ids[4];
    const int count = heif_image_handle_get_list_of_thumbnail_IDs(primary, ids, 4);
    for (int i = 0; i < count; ++i) {
        heif_image_handle* found = nullptr;
        const heif_error error = heif_image_handle_get_thumbnail(primary, ids[i], &found);
        Handle thumbnail(found);
        if (error.code == heif_error_Ok && thumbnail &&
            UseHeifThumbnail(heif_image_handle_get_width(thumbnail.get()),
                             heif_image_handle_get_height(thumbnail.get()), primaryWidth, primaryHeight,
                             coverWidth, coverHeight))
            return thumbnail;
    }
    return Handle();
}

// The image of handle as 8-bit RGB(A), turned as the file says, laid over white and scaled.
bool DecodeImage(heif_image_handle* handle, int width, int height, const CardFraming& framing,
                 std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    if (!Fits(heif_image_handle_get_width(handle), heif_image_handle_get_height(handle)))
        return false;
    const bool alpha = heif_image_handle_has_alpha_channel(handle) != 0;
    const std::unique_ptr<heif_decoding_options, OptionsFree> options(heif_decoding_options_alloc());
    if (!options)
        return false;
    options->convert_hdr_to_8bit = 1;
#if LIBHEIF_HAVE_VERSION(1, 19, 0)
    // Asked between the tiles of a grid, which is how phones store their photos.
    options->progress_user_data = const_cast<DecodeStop*>(&stop);
    options->cancel_decoding = AskStop;
#endif
    heif_image* decoded = nullptr;
    const heif_error error =
        heif_decode_image(handle, &decoded, heif_colorspace_RGB,
                          alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB, options.get());
    const std::unique_ptr<heif_image, ImageRelease> image(decoded);
    if (error.code != heif_error_Ok || !image || stop())
        return false;
    int stride = 0;
    const uint8_t* rows = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &stride);
    const int decodedWidth = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int decodedHeight = heif_image_get_height(image.get(), heif_channel_interleaved);
    if (rows == nullptr || !Fits(decodedWidth, decodedHeight) ||
        heif_image_get_bits_per_pixel_range(image.get(), heif_channel_interleaved) != 8 ||
        stride < decodedWidth * (alpha ? 4 : 3))
        return false;
    if (alpha) {
        *pixels =
            ScaleRgbaOverWhite(rows, size_t(stride), decodedWidth, decodedHeight, width, height, framing);
        return true;
    }
    AreaScaler scaler = CardScaler(decodedWidth, decodedHeight, 1, width, height, framing);
    for (int y = 0; y < decodedHeight; ++y)
        scaler.AddRow(rows + size_t(y) * size_t(stride));
    *pixels = scaler.Pixels();
    return true;
}

// The first metadata item of the kind (and content type, when given) of the image, bounded;
// empty when there is none.
std::string MetadataItem(heif_image_handle* handle, const char* kind, const char* contentType, size_t bound) {
    heif_item_id ids[8];
    const int count = heif_image_handle_get_list_of_metadata_block_IDs(handle, kind, ids, 8);
    for (int i = 0; i < count; ++i) {
        const char* type = heif_image_handle_get_metadata_content_type(handle, ids[i]);
        const size_t size = heif_image_handle_get_metadata_size(handle, ids[i]);
        if ((contentType != nullptr && (type == nullptr || std::string(type) != contentType)) || size == 0 ||
            size > bound)
            continue;
        std::string bytes(size, '\0');
        if (heif_image_handle_get_metadata(handle, ids[i], &bytes[0]).code == heif_error_Ok)
            return bytes;
    }
    return std::string();
}

// The file's context with its primary image, read under the limits of a decode: grid tiles on the
// caller's thread, the one a batch stops and whose time it counts.
bool OpenPrimary(heif_context* context, const uint8_t* data, size_t size, Handle* primary) {
    LimitImageSize(context, MaxDecodeBytes);
    heif_context_set_max_decoding_threads(context, 0);
    if (heif_context_read_from_memory_without_copy(context, data, size, nullptr).code != heif_error_Ok)
        return false;
    LimitImageSize(context, MaxPixels);
    heif_image_handle* found = nullptr;
    const heif_error error = heif_context_get_primary_image_handle(context, &found);
    primary->reset(found);
    return error.code == heif_error_Ok && *primary;
}

} // namespace

bool HeifSize(const uint8_t* data, size_t size, int* width, int* height) {
    const std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    Handle primary;
    if (data == nullptr || !context || !OpenPrimary(context.get(), data, size, &primary))
        return false;
    *width = heif_image_handle_get_width(primary.get());
    *height = heif_image_handle_get_height(primary.get());
    return *width > 0 && *height > 0;
}

bool DecodeHeifThumbnail(const uint8_t* data, size_t size, int width, int height, std::vector<uint32_t>* pixels,
                         const DecodeStop& stop) {
    const std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    Handle primary;
    if (data == nullptr || stop() || !context || !OpenPrimary(context.get(), data, size, &primary))
        return false;
    heif_item_id ids[4];
    const int count = heif_image_handle_get_list_of_thumbnail_IDs(primary.get(), ids, 4);
    Handle largest;
    for (int i = 0; i < count; ++i) {
        heif_image_handle* found = nullptr;
        if (heif_image_handle_get_thumbnail(primary.get(), ids[i], &found).code != heif_error_Ok)
            continue;
        Handle thumbnail(found);
        if (thumbnail && (!largest || heif_image_handle_get_width(thumbnail.get()) >
                                          heif_image_handle_get_width(largest.get())))
            largest = std::move(thumbnail);
    }
    return largest && DecodeImage(largest.get(), width, height, PictureFit::Stretch, pixels, stop);
}

void HeifMetadata(const uint8_t* data, size_t size, MetadataBlocks* blocks) {
    const std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    Handle primary;
    if (data == nullptr || !context || !OpenPrimary(context.get(), data, size, &primary))
        return;
    // An Exif item begins with the offset of its TIFF header from the end of that offset.
    const std::string exif = MetadataItem(primary.get(), "Exif", nullptr, MaxExifBytes);
    if (exif.size() >= 4) {
        const size_t skip = size_t(uint8_t(exif[0])) << 24 | size_t(uint8_t(exif[1])) << 16 |
                            size_t(uint8_t(exif[2])) << 8 | size_t(uint8_t(exif[3]));
        if (skip <= exif.size() - 4)
            blocks->Exif = ExifBlockOfTiff(reinterpret_cast<const uint8_t*>(exif.data()) + 4 + skip,
                                           exif.size() - 4 - skip);
    }
    blocks->Xmp = MetadataItem(primary.get(), "mime", "application/rdf+xml", MaxXmpBytes);
}

bool DecodeHeif(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    if (data == nullptr || stop())
        return false;
    const std::unique_ptr<heif_context, ContextFree> context(heif_context_alloc());
    Handle primary;
    if (!context || !OpenPrimary(context.get(), data, size, &primary))
        return false;
    // A phone's 320x240 thumbnail decodes in a few milliseconds, its 12 MP primary in most of a second.
    const Handle thumbnail = CoveringThumbnail(primary.get(), width, height, framing);
    if (thumbnail && DecodeImage(thumbnail.get(), width, height, framing, pixels, stop))
        return true;
    return !stop() && DecodeImage(primary.get(), width, height, framing, pixels, stop);
}
