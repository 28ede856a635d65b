#include "pictures/VoiceWav.h"

#include <algorithm>

namespace {

uint32_t Le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint16_t Le16(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}

bool Named(const uint8_t* p, const char* id) {
    return p[0] == id[0] && p[1] == id[1] && p[2] == id[2] && p[3] == id[3];
}

} // namespace

bool ReadWav(const uint8_t* data, size_t size, int maxSeconds, VoiceSound* sound) {
    if (size < 12 || !Named(data, "RIFF") || !Named(data + 8, "WAVE"))
        return false;
    int bits = 0;
    size_t at = 12;
    // Chunks in any order; the samples count only after the format. A chunk's stated size may run
    // past the file's end (a recording cut short): what is there is taken.
    while (at + 8 <= size) {
        const uint8_t* chunk = data + at;
        const size_t length = std::min<size_t>(Le32(chunk + 4), size - at - 8);
        const uint8_t* body = chunk + 8;
        if (Named(chunk, "fmt ")) {
            if (length < 16)
                return false;
            const uint16_t tag = Le16(body);
            // WAVE_FORMAT_PCM, or WAVE_FORMAT_EXTENSIBLE whose sub-format's first word says PCM.
            const bool pcm = tag == 1 || (tag == 0xFFFE && length >= 26 && Le16(body + 24) == 1);
            sound->Channels = Le16(body + 2);
            sound->Rate = int(std::min<uint32_t>(Le32(body + 4), 1u << 30));
            bits = Le16(body + 14);
            if (!pcm || (bits != 8 && bits != 16) || sound->Channels < 1 || sound->Channels > 2 ||
                sound->Rate < 8000 || sound->Rate > 48000)
                return false;
        } else if (Named(chunk, "data") && bits != 0) {
            const size_t frameBytes = size_t(bits / 8) * size_t(sound->Channels);
            const size_t frames =
                std::min(length / frameBytes, size_t(maxSeconds) * size_t(sound->Rate));
            sound->Samples.resize(frames * size_t(sound->Channels));
            for (size_t i = 0; i < sound->Samples.size(); ++i)
                sound->Samples[i] = bits == 16 ? int16_t(Le16(body + 2 * i)) : int16_t((int(body[i]) - 128) * 256);
            return !sound->Samples.empty();
        }
        at += 8 + length + (length & 1);
    }
    return false;
}
