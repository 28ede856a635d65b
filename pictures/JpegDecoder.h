// JPEG pictures through libjpeg-turbo: decoded at a reduced DCT scale, turned upright, scaled.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/PictureCrop.h"

// More scans than this and a JPEG is not a picture: a few bytes each, hundreds of thousands of them
// would make every decode read them all.
constexpr int MaxJpegScans = 1000;

// The DCT scale, in eighths (1, 2, 4 or 8), of the smallest decode of an imageWidth x imageHeight
// JPEG that still covers width x height.
int JpegScaleEighths(int imageWidth, int imageHeight, int width, int height);

// Decodes a JPEG held in memory to width x height pixels (0x00RRGGBB, top row first), upright per
// its EXIF orientation. False when it is not a whole, decodable JPEG of a bounded size and at most
// MaxJpegScans scans, or when stop says so part-way.
bool DecodeJpeg(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                std::vector<uint32_t>* pixels, const DecodeStop& stop = DecodeStop());
