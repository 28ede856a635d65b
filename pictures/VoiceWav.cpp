#include "pictures/VoiceWav.h"

#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <memory>

namespace {

struct MmioClose {
    void operator()(HMMIO file) const { mmioClose(file, 0); }
};

// The samples of a data chunk as 16-bit ones.
void Widen(const std::vector<uint8_t>& bytes, int bits, std::vector<int16_t>* samples) {
    samples->resize(bits == 16 ? bytes.size() / 2 : bytes.size());
    for (size_t i = 0; i < samples->size(); ++i)
        (*samples)[i] = bits == 16 ? int16_t(uint16_t(bytes[2 * i] | bytes[2 * i + 1] << 8))
                                   : int16_t((int(bytes[i]) - 128) * 256);
}

} // namespace

bool ReadWav(const uint8_t* data, size_t size, int maxSeconds, VoiceSound* sound) {
    if (data == nullptr || size < 12 || size > LONG_MAX || maxSeconds < 1)
        return false;
    // The RIFF structure is walked by winmm's own reader, over the bytes in memory.
    MMIOINFO memory = {};
    memory.fccIOProc = FOURCC_MEM;
    memory.pchBuffer = reinterpret_cast<HPSTR>(const_cast<uint8_t*>(data));
    memory.cchBuffer = LONG(size);
    const std::unique_ptr<HMMIO__, MmioClose> file(mmioOpenW(nullptr, &memory, MMIO_READ));
    MMCKINFO riff = {};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMCKINFO chunk = {};
    chunk.ckid = mmioFOURCC('f', 'm', 't', ' ');
    PCMWAVEFORMAT format = {};
    if (!file || mmioDescend(file.get(), &riff, nullptr, MMIO_FINDRIFF) != MMSYSERR_NOERROR ||
        mmioDescend(file.get(), &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR ||
        chunk.cksize < sizeof format ||
        mmioRead(file.get(), reinterpret_cast<HPSTR>(&format), sizeof format) != LONG(sizeof format))
        return false;
    // WAVE_FORMAT_PCM, or WAVE_FORMAT_EXTENSIBLE whose sub-format's first word says PCM.
    bool pcm = format.wf.wFormatTag == WAVE_FORMAT_PCM;
    if (format.wf.wFormatTag == 0xFFFE && chunk.cksize >= 26) {
        WORD extra[5] = {};
        pcm = mmioRead(file.get(), reinterpret_cast<HPSTR>(extra), sizeof extra) == LONG(sizeof extra) &&
              extra[4] == WAVE_FORMAT_PCM;
    }
    const int bits = format.wBitsPerSample;
    const int channels = format.wf.nChannels;
    const DWORD rate = format.wf.nSamplesPerSec;
    if (!pcm || (bits != 8 && bits != 16) || channels < 1 || channels > 2 || rate < 8000 || rate > 48000 ||
        mmioAscend(file.get(), &chunk, 0) != MMSYSERR_NOERROR)
        return false;
    chunk = MMCKINFO();
    chunk.ckid = mmioFOURCC('d', 'a', 't', 'a');
    if (mmioDescend(file.get(), &chunk, &riff, MMIO_FINDCHUNK) != MMSYSERR_NOERROR)
        return false;
    // A recording cut short plays what is there; a long one is cut at what a voice may last.
    const size_t frameBytes = size_t(bits / 8) * size_t(channels);
    const size_t most = size_t(maxSeconds) * rate * frameBytes;
    std::vector<uint8_t> bytes(std::min({size_t(chunk.cksize), most, size}));
    const LONG read =
        bytes.empty() ? 0 : mmioRead(file.get(), reinterpret_cast<HPSTR>(bytes.data()), LONG(bytes.size()));
    if (read <= 0)
        return false;
    bytes.resize(size_t(read) / frameBytes * frameBytes);
    sound->Rate = int(rate);
    sound->Channels = channels;
    Widen(bytes, bits, &sound->Samples);
    return !sound->Samples.empty();
}
