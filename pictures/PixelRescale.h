// Scaling a picture already decoded, as a card is remade at a new size from the pixels kept for it.
#pragma once

#include <cstdint>
#include <vector>

#include "pictures/PictureCrop.h"

// The width x height 0x00RRGGBB picture scaled to a toWidth x toHeight card as framing says, by area
// average (the decoders' scaler); empty when the pixels do not make such a picture.
std::vector<uint32_t> RescalePixels(const std::vector<uint32_t>& pixels, int width, int height, int toWidth,
                                    int toHeight, const CardFraming& framing);
