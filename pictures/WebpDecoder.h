// WebP pictures through libwebp: still ones decoded at a reduced size, animated ones by their
// first frame; scaled to card size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Decodes a WebP held in memory (the first frame of an animation) to width x height pixels
// (0x00RRGGBB, top row first); transparency shows white. False when it does not decode or would
// take too much memory.
bool DecodeWebp(const uint8_t* data, size_t size, int width, int height, std::vector<uint32_t>* pixels);
