// BMP pictures through stb_image, scaled to card size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Decodes a BMP held in memory to width x height pixels (0x00RRGGBB, top row first);
// transparency shows white. False when it does not decode or would take too much memory.
bool DecodeBmpStb(const uint8_t* data, size_t size, int width, int height, std::vector<uint32_t>* pixels);
