#include "pictures/GifDecoder.h"

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

#include "pictures/PictureScale.h"
#include "pictures/PictureSize.h"

namespace {

struct Source {
    const uint8_t* Data;
    size_t Size;
    size_t At;
};

int ReadSource(GifFileType* gif, GifByteType* to, int length) {
    Source& source = *static_cast<Source*>(gif->UserData);
    const size_t count = std::min(size_t(std::max(length, 0)), source.Size - source.At);
    std::memcpy(to, source.Data + source.At, count);
    source.At += count;
    return int(count);
}

// Owns giflib's decoder, closed on every way out.
struct GifFile {
    GifFileType* File;
    explicit GifFile(Source* source) {
        int error = 0;
        File = DGifOpen(source, ReadSource, &error);
    }
    ~GifFile() {
        int error = 0;
        if (File != nullptr)
            DGifCloseFile(File, &error);
    }
    GifFile(const GifFile&) = delete;
    GifFile& operator=(const GifFile&) = delete;
};

// Reads records up to the first image descriptor, keeping the transparent index of the graphic
// control extension before it (-1 for none). False when the file ends or breaks first.
bool FindFirstImage(GifFileType* gif, int* transparent) {
    *transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR)
            return false;
        if (type == IMAGE_DESC_RECORD_TYPE)
            return DGifGetImageDesc(gif) != GIF_ERROR;
        if (type != EXTENSION_RECORD_TYPE)
            return false;
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
            return false;
        GraphicsControlBlock control;
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr &&
            DGifExtensionToGCB(block[0], block + 1, &control) != GIF_ERROR)
            *transparent = control.TransparentColor;
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
                return false;
        }
    }
}

} // namespace

bool GifSize(const uint8_t* data, size_t size, int* width, int* height) {
    Source source = {data, size, 0};
    const GifFile gif(&source);
    if (gif.File == nullptr || gif.File->SWidth <= 0 || gif.File->SHeight <= 0)
        return false;
    *width = gif.File->SWidth;
    *height = gif.File->SHeight;
    return true;
}

bool DecodeGif(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
               std::vector<uint32_t>* pixels, const DecodeStop& stop) {
    Source source = {data, size, 0};
    GifFile file(&source);
    GifFileType* gif = file.File;
    int transparent = NO_TRANSPARENT_COLOR;
    if (gif == nullptr || !FindFirstImage(gif, &transparent))
        return false;
    const GifImageDesc& frame = gif->Image;
    if (frame.Width < 1 || frame.Height < 1)
        return false;
    // A frame reaching past the logical screen widens it, as browsers show such files.
    const int screenWidth = std::max(int(gif->SWidth), frame.Left + frame.Width);
    const int screenHeight = std::max(int(gif->SHeight), frame.Top + frame.Height);
    if (double(screenWidth) * screenHeight * 3 + frame.Width > double(MaxDecodeBytes))
        return false;
    const ColorMapObject* map = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
    const int colours = map != nullptr ? map->ColorCount : 0;
    std::vector<uint8_t> screen(size_t(screenWidth) * screenHeight * 3, 255);
    std::vector<GifPixelType> line(size_t(frame.Width));
    // An interlaced frame comes in four passes over its rows.
    static const int Starts[] = {0, 4, 2, 1};
    static const int Steps[] = {8, 8, 4, 2};
    for (int pass = frame.Interlace ? 0 : 3; pass < 4; ++pass) {
        const int step = frame.Interlace ? Steps[pass] : 1;
        for (int y = frame.Interlace ? Starts[pass] : 0; y < frame.Height; y += step) {
            if (stop() || DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR)
                return false;
            uint8_t* to = &screen[(size_t(frame.Top + y) * screenWidth + frame.Left) * 3];
            for (int x = 0; x < frame.Width; ++x, to += 3) {
                const int index = line[size_t(x)];
                if (index == transparent)
                    continue;
                // An index past the colour map is black.
                const GifColorType colour = index < colours ? map->Colors[index] : GifColorType{0, 0, 0};
                to[0] = colour.Red;
                to[1] = colour.Green;
                to[2] = colour.Blue;
            }
        }
    }
    AreaScaler scaler = CardScaler(screenWidth, screenHeight, 1, width, height, framing);
    for (int y = 0; y < screenHeight; ++y)
        scaler.AddRow(&screen[size_t(y) * screenWidth * 3]);
    *pixels = scaler.Pixels();
    return true;
}
