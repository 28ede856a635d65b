#include "pictures/WebpDecoder.h"

#include <algorithm>
#include <memory>
#include <string>

#include <webp/decode.h>
#include <webp/demux.h>

#include "pictures/MetadataBlocks.h"
#include "pictures/PictureFacts.h"
#include "pictures/PictureScale.h"
#include "pictures/PictureSize.h"

namespace {

// Owns the output of a still decode, freed on every way out.
struct StillDecode {
    WebPDecoderConfig Config;
    StillDecode() : Config() {}
    ~StillDecode() { WebPFreeDecBuffer(&Config.output); }
    StillDecode(const StillDecode&) = delete;
    StillDecode& operator=(const StillDecode&) = delete;
};

struct IncrementalDelete {
    void operator()(WebPIDecoder* decoder) const { WebPIDelete(decoder); }
};

struct DemuxDelete {
    void operator()(WebPDemuxer* demuxer) const { WebPDemuxDelete(demuxer); }
};

struct AnimationDelete {
    void operator()(WebPAnimDecoder* decoder) const { WebPAnimDecoderDelete(decoder); }
};

// The smallest of 1/1, 1/2, 1/4 and 1/8 of the picture that still covers the card; libwebp
// averages while it shrinks, the area scaler does the rest.
int ReducedSize(int size, int card, int otherSize, int otherCard) {
    for (int divisor : {8, 4, 2}) {
        if (size / divisor >= card && otherSize / divisor >= otherCard)
            return size / divisor;
    }
    return size;
}

// Fed this much of the file at a time, so that the stop is asked between the rows each part brings.
const size_t IncrementalBytes = size_t(16) << 10;

bool DecodeStill(const uint8_t* data, size_t size, const WebPBitstreamFeatures& features, int width,
                 int height, const CardFraming& framing, const DecodeStop& stop,
                 std::vector<uint32_t>* pixels) {
    StillDecode decode;
    WebPDecoderConfig& config = decode.Config;
    if (!WebPInitDecoderConfig(&config))
        return false;
    config.options.use_scaling = 1;
    int coverWidth = 0;
    int coverHeight = 0;
    CoveringSize(features.width, features.height, width, height, framing, &coverWidth, &coverHeight);
    config.options.scaled_width = ReducedSize(features.width, coverWidth, features.height, coverHeight);
    config.options.scaled_height = ReducedSize(features.height, coverHeight, features.width, coverWidth);
    config.output.colorspace = MODE_RGBA;
    // Declared after the output it writes into, so it goes first.
    const std::unique_ptr<WebPIDecoder, IncrementalDelete> decoder(WebPIDecode(data, size, &config));
    if (!decoder)
        return false;
    for (size_t fed = 0;;) {
        if (stop())
            return false;
        fed = std::min(size, fed + IncrementalBytes);
        const VP8StatusCode status = WebPIUpdate(decoder.get(), data, fed);
        if (status == VP8_STATUS_OK)
            break;
        if (status != VP8_STATUS_SUSPENDED || fed == size)
            return false;
    }
    const WebPRGBABuffer& rgba = config.output.u.RGBA;
    *pixels = ScaleRgbaOverWhite(rgba.rgba, size_t(rgba.stride), config.output.width, config.output.height,
                                 width, height, framing);
    return true;
}

// libwebpdemux decodes a frame at once: the stop is asked before it.
bool DecodeFirstFrame(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                      const DecodeStop& stop, std::vector<uint32_t>* pixels) {
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options))
        return false;
    options.color_mode = MODE_RGBA;
    options.use_threads = 0;
    const WebPData file = {data, size};
    const std::unique_ptr<WebPAnimDecoder, AnimationDelete> decoder(WebPAnimDecoderNew(&file, &options));
    WebPAnimInfo info;
    uint8_t* canvas = nullptr;
    int timestamp = 0;
    if (!decoder || stop() || !WebPAnimDecoderGetInfo(decoder.get(), &info) ||
        !WebPAnimDecoderGetNext(decoder.get(), &canvas, &timestamp))
        return false;
    const int canvasWidth = int(info.canvas_width);
    const int canvasHeight = int(info.canvas_height);
    *pixels = ScaleRgbaOverWhite(canvas, size_t(canvasWidth) * 4, canvasWidth, canvasHeight, width, height,
                                 framing);
    return true;
}

// The first chunk of the given kind, bounded; empty when there is none.
std::string Chunk(const WebPDemuxer* demuxer, const char* kind, size_t bound) {
    WebPChunkIterator chunk;
    if (!WebPDemuxGetChunk(demuxer, kind, 1, &chunk))
        return std::string();
    std::string bytes;
    if (chunk.chunk.size <= bound)
        bytes.assign(reinterpret_cast<const char*>(chunk.chunk.bytes), chunk.chunk.size);
    WebPDemuxReleaseChunkIterator(&chunk);
    return bytes;
}

} // namespace

bool WebpSize(const uint8_t* data, size_t size, int* width, int* height) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK)
        return false;
    *width = features.width;
    *height = features.height;
    return *width > 0 && *height > 0;
}

void WebpMetadata(const uint8_t* data, size_t size, MetadataBlocks* blocks) {
    const WebPData file = {data, size};
    const std::unique_ptr<WebPDemuxer, DemuxDelete> demuxer(WebPDemux(&file));
    if (!demuxer)
        return;
    // Some writers keep the "Exif\0\0" mark in the chunk, most do not.
    const std::string exif = Chunk(demuxer.get(), "EXIF", MaxExifBytes);
    const bool marked = exif.compare(0, 6, std::string("Exif\0\0", 6)) == 0;
    blocks->Exif = marked ? exif
                          : ExifBlockOfTiff(reinterpret_cast<const uint8_t*>(exif.data()), exif.size());
    blocks->Xmp = Chunk(demuxer.get(), "XMP ", MaxXmpBytes);
}

bool DecodeWebp(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    WebPBitstreamFeatures features;
    if (WebPGetFeatures(data, size, &features) != VP8_STATUS_OK)
        return false;
    // A lossless picture is held whole as 32-bit pixels while it decodes; an animation keeps two
    // canvases. The reduced output and the scaler come on top.
    const double canvas = double(features.width) * features.height * 4;
    if ((features.has_animation ? 2 : 1) * canvas + double(features.width) * 8 > double(MaxDecodeBytes))
        return false;
    return features.has_animation ? DecodeFirstFrame(data, size, width, height, framing, stop, pixels)
                                  : DecodeStill(data, size, features, width, height, framing, stop, pixels);
}
