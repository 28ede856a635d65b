// Pictures through Windows' own codecs (the Windows Imaging Component), for the formats none of the
// game's decoders reads: TIFF, JPEG XR, DNG and what the Store's extensions add (HEIF, AVIF, RAW).
// Windows only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/PictureCrop.h"
#include "pictures/SystemCodecs.h"

// Decodes the first frame of a file held in memory with one of the system's own codecs (see
// IsSystemCodec) to width x height pixels (0x00RRGGBB, top row first), upright per its orientation
// tag, alpha over white. False when no such codec reads it, it would take too much memory, or stop
// says so between strips. Runs in a multithreaded COM apartment of the calling thread's own.
bool DecodeWic(const uint8_t* data, size_t size, int width, int height, PictureFit fit,
               std::vector<uint32_t>* pixels, const DecodeStop& stop = DecodeStop());

// Every installed decoder as the system describes it; empty when WIC cannot be asked.
std::vector<SystemCodec> InstalledSystemCodecs();

// What the system's codec reads of a file's title fields and date taken, through its metadata
// query reader (the shell's System.Title and System.Photo.DateTaken, else the EXIF and XMP paths of
// a JPEG-like or TIFF-like container), into facts, bounded.
struct CarriedFacts;
void ReadWicFacts(const uint8_t* data, size_t size, CarriedFacts* facts);
