// EXIF through libexif: the orientation, the title fields and the date taken.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "pictures/PictureFacts.h"

// Reads an EXIF block ("Exif\0\0" and a TIFF header, as in a JPEG's APP1 segment; libexif reads
// its first 64 KB) and returns its orientation (tag 274, 1..8; 1 when it holds no valid one). When
// facts is given, XPTitle, ImageDescription and DateTimeOriginal go into it, bounded. A block that
// is not EXIF holds nothing.
int ReadExif(const uint8_t* block, size_t size, CarriedFacts* facts);

// A TIFF file's first directory (its bytes from the start, "II*\0" or "MM\0*"), which is EXIF's own
// structure: its orientation, its title fields and date taken into facts, and its XMP packet (tag
// 700) into xmp, each bounded. libexif reaches only the first 64 KB of the file, so false when no
// directory lies within them (libtiff's writers put it after the pixels; exiftool before them).
bool ReadTiffDirectory(const uint8_t* tiff, size_t size, int* orientation, CarriedFacts* facts,
                       std::string* xmp);
