// The orientation a JPEG's EXIF data asks for (read by libexif, ExifReader.cpp), and what it does.
#pragma once

#include <cstddef>
#include <cstdint>

// EXIF orientation (tag 274, 1..8) from the payload of an APP1 marker, read only within its size;
// 1 (as stored) when the payload is not EXIF or holds no valid orientation.
int ExifOrientation(const uint8_t* app1, size_t size);

// What an orientation (2..8) does to the shown picture's coordinates to find the stored pixel: axes
// swapped first, then either mirrored within the stored picture. Other values do nothing.
struct OrientationTurn {
    bool Transpose;
    bool MirrorX;
    bool MirrorY;
};
OrientationTurn TurnOf(int orientation);
