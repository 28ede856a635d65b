// GIF pictures through giflib: the first frame, scaled to card size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/PictureCrop.h"

// Decodes the first frame of a GIF held in memory, placed on its logical screen, to width x height
// pixels (0x00RRGGBB, top row first); transparency and the screen around the frame show white.
// False when stop says so part-way, or when it does not decode or would take too much memory.
bool DecodeGif(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
               std::vector<uint32_t>* pixels, const DecodeStop& stop = DecodeStop());
