// A picture's own size, read from its headers without decoding it: what a view of the picture's
// own shape is laid out by.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"

// The width and height a file held in memory shows at, upright as it is shown; false when no
// decoder of the game's, nor a system codec, reads its headers.
bool PictureSizeOfData(const uint8_t* data, size_t size, int* width, int* height);

// Each format's own, in the file that owns its library.
bool JpegSize(const uint8_t* data, size_t size, int* width, int* height);
bool PngSize(const uint8_t* data, size_t size, int* width, int* height);
bool GifSize(const uint8_t* data, size_t size, int* width, int* height);
bool WebpSize(const uint8_t* data, size_t size, int* width, int* height);
bool BmpSize(const uint8_t* data, size_t size, int* width, int* height);
bool HeifSize(const uint8_t* data, size_t size, int* width, int* height);

// The largest thumbnail of a HEIF's primary image, stretched to width x height; false when it has
// none, it does not decode, or stop says so.
bool DecodeHeifThumbnail(const uint8_t* data, size_t size, int width, int height, std::vector<uint32_t>* pixels,
                         const DecodeStop& stop);
