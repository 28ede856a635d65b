// HEIC and HEIF pictures through libheif with libde265: the primary image, or its thumbnail when
// that covers the card, turned and mirrored as the file says, scaled to card size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/PictureCrop.h"

// Decodes a HEIF held in memory to width x height pixels (0x00RRGGBB, top row first); transparency
// shows white. False when it does not decode, would take too much memory or was stopped.
bool DecodeHeif(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
                std::vector<uint32_t>* pixels, const DecodeStop& stop);
