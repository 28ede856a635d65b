// What the codec host does with a request: Windows' own codecs on the file's bytes. Windows only.
#pragma once

#include <cstdint>

#include "pictures/CodecHostMessages.h"
#include "pictures/DecodeStop.h"

// A CodecServe (pictures/CodecHostLoop.h) with DecodeWic, WicFrameSize and ReadWicBlocks.
void ServeWithSystemCodecs(const codec_host::Request& request, const uint8_t* input, uint8_t* output,
                           const DecodeStop& stop, codec_host::Reply* reply);
