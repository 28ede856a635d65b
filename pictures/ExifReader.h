// EXIF through libexif: the orientation, the title fields and the date taken.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pictures/PictureFacts.h"

// Reads an EXIF block ("Exif\0\0" and a TIFF header, as in a JPEG's APP1 segment; libexif reads
// its first 64 KB) and returns its orientation (tag 274, 1..8; 1 when it holds no valid one). When
// facts is given, XPTitle, ImageDescription and DateTimeOriginal go into it, bounded. A block that
// is not EXIF holds nothing.
int ReadExif(const uint8_t* block, size_t size, CarriedFacts* facts);
