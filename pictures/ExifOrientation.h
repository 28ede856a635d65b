// The orientation a JPEG's EXIF data asks for.
#pragma once

#include <cstddef>
#include <cstdint>

// EXIF orientation (tag 274, 1..8) from the payload of an APP1 marker, read only within its size;
// 1 (as stored) when the payload is not EXIF or holds no valid orientation.
int ExifOrientation(const uint8_t* app1, size_t size);
