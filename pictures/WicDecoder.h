// Pictures through Windows' own codecs (the Windows Imaging Component), for the formats none of the
// game's decoders reads: TIFF, JPEG XR, DNG and what the Store's extensions add (HEIF, AVIF, RAW).
// Windows only, and only in the codec host's process: a codec that crashes on a file ends that
// process, never the game (pictures/CodecHost.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/DecodeStop.h"
#include "pictures/MetadataBlocks.h"
#include "pictures/PictureCrop.h"

// Decodes the first frame of a file held in memory with one of the system's own codecs (see
// IsSystemCodec) to width x height pixels (0x00RRGGBB, top row first), upright per orientation
// (1..8, as the game read it; 0: the codec is asked for the tag by the container's path), alpha
// over white. False when no such codec reads it, it would take too much memory, or stop says so
// between strips. Runs in a multithreaded COM apartment of the calling thread's own.
bool DecodeWic(const uint8_t* data, size_t size, int width, int height, const CardFraming& framing,
               int orientation, std::vector<uint32_t>* pixels, const DecodeStop& stop = DecodeStop());

// The first frame's size as stored and its orientation tag (1 when it has none): known (1..8, as the
// game read it) when given, the codec asked for it only when known is 0.
bool WicFrameSize(const uint8_t* data, size_t size, int known, int* width, int* height, int* orientation);

// What the codec holds of a file's metadata, as bytes for the game's own readers: its XMP packet and
// EXIF block (each bounded, empty when none), and its orientation tag. Nothing is asked by the
// shell's System names, which search every block.
void ReadWicBlocks(const uint8_t* data, size_t size, MetadataBlocks* blocks, int* orientation);
