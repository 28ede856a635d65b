// WebP pictures through libwebp: still ones decoded at a reduced size, animated ones by their
// first frame; scaled to card size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/PictureCrop.h"

// Decodes a WebP held in memory (the first frame of an animation) to width x height pixels
// (0x00RRGGBB, top row first); transparency shows white. False when it does not decode, would take
// too much memory, or when stop says so part-way (a still picture between parts of the file, an
// animation before its frame).
bool DecodeWebp(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                std::vector<uint32_t>* pixels, const DecodeStop& stop = DecodeStop());
