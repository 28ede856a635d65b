// BMP pictures through a reader of our own: every header, depth and compression Windows writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/PictureCrop.h"

// Decodes a BMP held in memory to width x height pixels (0x00RRGGBB, top row first); alpha shows
// over white, pixels an RLE file never sets and palette indices past its palette show black.
// False when the file is not a whole BMP of a kind read here, would take too much memory, or when
// stop says so part-way.
bool DecodeBmp(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
               std::vector<uint32_t>* pixels, const DecodeStop& stop = DecodeStop());
