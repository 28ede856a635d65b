// A recording's sound as the game plays it, and the reading of a plain WAVE file through winmm's own
// RIFF reader, which needs no codec of Windows: a PC without Media Foundation (Windows' N editions)
// still says a .wav. Windows only (the reading), in the codec host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// 16-bit samples, channels interleaved.
struct VoiceSound {
    int Rate = 0;     // samples per second, 8000 to 48000
    int Channels = 0; // 1 or 2
    std::vector<int16_t> Samples;
};

// A RIFF WAVE file's PCM samples (8 or 16 bits, 1 or 2 channels, 8 to 48 kHz) as 16-bit ones, cut
// at maxSeconds; false for anything else, a file cut short inside its format or with no samples.
bool ReadWav(const uint8_t* data, size_t size, int maxSeconds, VoiceSound* sound);
