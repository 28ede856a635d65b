#include "pictures/VoiceDecoder.h"

#include <windows.h>
#include <mfidl.h>
#include <mfreadwrite.h>

#include <algorithm>
#include <cstring>

#include "pictures/ComScope.h"

namespace {

// Declared here rather than taken from mfuuid, which is a static library of GUIDs that not every
// toolchain ships.
const GUID MajorType = {0x48eba18e, 0xf8c9, 0x4687, {0xbf, 0x11, 0x0a, 0x74, 0xc9, 0xf9, 0x6a, 0x8f}};
const GUID SubType = {0xf7e34c9a, 0x42e8, 0x4714, {0xb7, 0x4b, 0xcb, 0x29, 0xd7, 0x2c, 0x35, 0xe5}};
const GUID Channels = {0x37e48bf5, 0x645e, 0x4c5b, {0x89, 0xde, 0xad, 0xa9, 0xe2, 0x9b, 0x69, 0x6a}};
const GUID SamplesPerSecond = {0x5faeeae7, 0x0290, 0x4c31, {0x9e, 0x8a, 0xc5, 0x34, 0xf6, 0x8d, 0x9d, 0xba}};
const GUID BitsPerSample = {0xf2deb57f, 0x40fa, 0x4764, {0xaa, 0x33, 0xed, 0x4f, 0x2d, 0x1f, 0xf6, 0x69}};
const GUID AudioMedia = {0x73647561, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const GUID PcmFormat = {0x00000001, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
const GUID ContentType = {0xfc358289, 0x3cb6, 0x460c, {0xa4, 0x24, 0xb6, 0x68, 0x12, 0x60, 0x37, 0x5a}};

constexpr ULONG MfVersion = 0x00020070; // MF_VERSION of Windows 7 and later
constexpr DWORD StartupLite = 1;        // MFSTARTUP_LITE: no sockets, the bytes are in memory
constexpr DWORD FirstAudio = 0xfffffffd;
constexpr DWORD AllStreams = 0xfffffffe;
constexpr DWORD ReadError = 0x1; // MF_SOURCE_READERF_ERROR: no sample will come again
constexpr DWORD EndOfStream = 0x2;

// Media Foundation's entry points, found at run time: the game imports only what every Windows has.
struct MediaFoundation {
    HRESULT(WINAPI* CreateByteStream)(IStream*, IMFByteStream**) = nullptr;
    HRESULT(WINAPI* CreateMediaType)(IMFMediaType**) = nullptr;
    HRESULT(WINAPI* CreateReader)(IMFByteStream*, IMFAttributes*, IMFSourceReader**) = nullptr;
    bool Ready = false;

    MediaFoundation() {
        const HMODULE platform = LoadLibraryW(L"mfplat.dll");
        const HMODULE readers = platform != nullptr ? LoadLibraryW(L"mfreadwrite.dll") : nullptr;
        if (readers == nullptr)
            return;
        const auto startup = reinterpret_cast<HRESULT(WINAPI*)(ULONG, DWORD)>(
            reinterpret_cast<void*>(GetProcAddress(platform, "MFStartup")));
        CreateByteStream = reinterpret_cast<decltype(CreateByteStream)>(
            reinterpret_cast<void*>(GetProcAddress(platform, "MFCreateMFByteStreamOnStream")));
        CreateMediaType = reinterpret_cast<decltype(CreateMediaType)>(
            reinterpret_cast<void*>(GetProcAddress(platform, "MFCreateMediaType")));
        CreateReader = reinterpret_cast<decltype(CreateReader)>(
            reinterpret_cast<void*>(GetProcAddress(readers, "MFCreateSourceReaderFromByteStream")));
        // Started once for the host's life, which ends with the process.
        Ready = startup != nullptr && CreateByteStream != nullptr && CreateMediaType != nullptr &&
                CreateReader != nullptr && SUCCEEDED(startup(MfVersion, StartupLite));
    }
};

const MediaFoundation& Loaded() {
    static const MediaFoundation loaded;
    return loaded;
}

const wchar_t* MimeType(VoiceKind kind) {
    switch (kind) {
        case VoiceKind::Wav:
            return L"audio/wav";
        case VoiceKind::Mp3:
            return L"audio/mpeg";
        case VoiceKind::M4a:
            return L"audio/mp4";
        case VoiceKind::Wma:
            return L"audio/x-ms-wma";
        case VoiceKind::None:
            break;
    }
    return nullptr;
}

// A source reader over the bytes, its first audio stream handing out 16-bit PCM.
bool OpenReader(const MediaFoundation& mf, const uint8_t* data, size_t size, VoiceKind kind,
                Owned<IMFSourceReader>* reader) {
    Owned<IStream> memory;
    Owned<IMFByteStream> bytes;
    Owned<IMFAttributes> attributes;
    Owned<IMFMediaType> wanted;
    ULONG written = 0;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, memory.Out())) ||
        FAILED(memory->Write(data, ULONG(size), &written)) || written != size ||
        FAILED(mf.CreateByteStream(memory.Get(), bytes.Out())))
        return false;
    // The container is told, not guessed: no handler tries a file of another kind.
    if (SUCCEEDED(bytes->QueryInterface(__uuidof(IMFAttributes), attributes.OutVoid())))
        attributes->SetString(ContentType, MimeType(kind));
    return SUCCEEDED(bytes->SetCurrentPosition(0)) && SUCCEEDED(mf.CreateReader(bytes.Get(), nullptr, reader->Out())) &&
           SUCCEEDED((*reader)->SetStreamSelection(AllStreams, FALSE)) &&
           SUCCEEDED((*reader)->SetStreamSelection(FirstAudio, TRUE)) &&
           SUCCEEDED(mf.CreateMediaType(wanted.Out())) && SUCCEEDED(wanted->SetGUID(MajorType, AudioMedia)) &&
           SUCCEEDED(wanted->SetGUID(SubType, PcmFormat)) && SUCCEEDED(wanted->SetUINT32(BitsPerSample, 16)) &&
           SUCCEEDED((*reader)->SetCurrentMediaType(FirstAudio, nullptr, wanted.Get()));
}

// Appends a sample's bytes, no more than room frames' worth.
bool Append(IMFSample* sample, size_t room, std::vector<int16_t>* samples) {
    Owned<IMFMediaBuffer> buffer;
    BYTE* bytes = nullptr;
    DWORD length = 0;
    if (FAILED(sample->ConvertToContiguousBuffer(buffer.Out())) || FAILED(buffer->Lock(&bytes, nullptr, &length)))
        return false;
    const size_t count = std::min(size_t(length) / sizeof(int16_t), room);
    const size_t at = samples->size();
    samples->resize(at + count);
    std::memcpy(samples->data() + at, bytes, count * sizeof(int16_t));
    buffer->Unlock();
    return true;
}

bool DecodeWithMediaFoundation(const uint8_t* data, size_t size, VoiceKind kind, int maxSeconds, VoiceSound* sound,
                               const DecodeStop& stop) {
    const Apartment apartment(COINIT_MULTITHREADED);
    const MediaFoundation& mf = Loaded();
    Owned<IMFSourceReader> reader;
    Owned<IMFMediaType> given;
    UINT32 channels = 0;
    UINT32 rate = 0;
    if (!mf.Ready || size > ULONG(-1) || !OpenReader(mf, data, size, kind, &reader) ||
        FAILED(reader->GetCurrentMediaType(FirstAudio, given.Out())) ||
        FAILED(given->GetUINT32(Channels, &channels)) || FAILED(given->GetUINT32(SamplesPerSecond, &rate)) ||
        channels < 1 || channels > 2 || rate < 8000 || rate > 48000)
        return false;
    sound->Channels = int(channels);
    sound->Rate = int(rate);
    const size_t most = size_t(maxSeconds) * rate * channels;
    // A reader that hands out nothing but gaps is not waited on for ever.
    int gaps = 0;
    while (sound->Samples.size() < most && gaps < 1000 && !stop()) {
        DWORD flags = 0;
        LONGLONG time = 0;
        Owned<IMFSample> sample;
        if (FAILED(reader->ReadSample(FirstAudio, 0, nullptr, &flags, &time, sample.Out())))
            break;
        if (sample.Get() != nullptr && !Append(sample.Get(), most - sound->Samples.size(), &sound->Samples))
            break;
        if ((flags & (EndOfStream | ReadError)) != 0 || (sample.Get() == nullptr && flags == 0))
            break;
        gaps += sample.Get() == nullptr ? 1 : 0;
    }
    // A stream cut short inside a frame keeps its whole frames.
    sound->Samples.resize(sound->Samples.size() / channels * channels);
    return !stop() && !sound->Samples.empty();
}

} // namespace

bool DecodeVoice(const uint8_t* data, size_t size, VoiceKind kind, int maxSeconds, VoiceSound* sound,
                 const DecodeStop& stop) {
    *sound = VoiceSound();
    if (kind == VoiceKind::None || size == 0)
        return false;
    // A plain WAVE file needs no codec; a compressed one (ADPCM, A-law) goes to Windows'.
    if (kind == VoiceKind::Wav && ReadWav(data, size, maxSeconds, sound))
        return true;
    *sound = VoiceSound();
    return DecodeWithMediaFoundation(data, size, kind, maxSeconds, sound, stop);
}
