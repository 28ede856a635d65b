// A recording's sound decoded in the codec host: a plain WAVE file by our own reader, every other
// kind by Windows' Media Foundation, loaded when first needed, since Windows' N editions lack it
// (there only a .wav speaks). Windows only.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pictures/DecodeStop.h"
#include "pictures/VoiceWav.h"
#include "rules/VoiceChoice.h"

// The file's sound, cut at maxSeconds, 1 or 2 channels at 8 to 48 kHz; false for no sound, one of
// another shape, or once stop says so.
bool DecodeVoice(const uint8_t* data, size_t size, VoiceKind kind, int maxSeconds, VoiceSound* sound,
                 const DecodeStop& stop);
