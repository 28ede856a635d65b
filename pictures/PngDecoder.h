// PNG pictures through libpng, read row by row and scaled to card size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/PictureCrop.h"

// Decodes a PNG held in memory to width x height pixels (0x00RRGGBB, top row first); transparency
// shows white. False when stop says so part-way, or when it does not decode or would take too much memory.
bool DecodePng(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
               std::vector<uint32_t>* pixels, const DecodeStop& stop = DecodeStop());
