#include "board/Voice.h"

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <vector>

#include "app/Settings.h"
#include "app/Texts.h"
#include "board/CardPictures.h"
#include "board/VoiceSpeech.h"
#include "engine/GameEngine.h"
#include "pictures/CodecHost.h"
#include "pictures/CodecHostMessages.h"
#include "pictures/PictureBatch.h"
#include "pictures/ThreadCpuTime.h"
#include "pictures/WorkerPool.h"
#include "rules/GameState.h"
#include "rules/VoiceChoice.h"

namespace {

// The voice's sound and its device, from the worker's play until StopVoice.
struct Playing {
    HWAVEOUT Out = nullptr;
    WAVEHDR Header = {};
    VoiceSound Sound;
};

// The window's thread never waits on a worker: a file that hangs a codec would hold the board up
// to the host's limits. A stopped worker finds its stop under PlayLock and plays nothing.
std::mutex PlayLock;
Playing Now;
std::shared_ptr<std::atomic<bool>> Stop;
std::future<void> Worker;
// Which voice is current, for a posted name to know whether it is still wanted; and its name.
WPARAM Serial = 0;
std::wstring NameToSay;
std::atomic<VoicePlayer> Player{nullptr};

// The folder's names that may speak for the picture: those beginning with one of its stems.
std::vector<FolderEntry> Candidates(const std::wstring& folder, const std::string& picture, const std::string& person) {
    std::vector<FolderEntry> entries;
    for (const std::string& stem : VoiceStems(picture, person)) {
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileExW((folder + WideText(stem, CP_UTF8) + L".*").c_str(), FindExInfoBasic,
                                               &found, FindExSearchNameMatch, nullptr, 0);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do
            entries.push_back({NarrowText(found.cFileName, CP_UTF8), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
        while (entries.size() < 64 && FindNextFileW(search, &found));
        FindClose(search);
    }
    return entries;
}

// The file's bytes, when it is no larger than a recording may be.
bool ReadRecording(const std::wstring& path, std::vector<uint8_t>* bytes) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size = {};
    DWORD read = 0;
    const bool fits = GetFileSizeEx(file, &size) && size.QuadPart > 0 && uint64_t(size.QuadPart) <= codec_host::MaxVoiceFileBytes;
    if (fits)
        bytes->resize(size_t(size.QuadPart));
    const bool whole = fits && ReadFile(file, bytes->data(), DWORD(bytes->size()), &read, nullptr) &&
                       read == bytes->size();
    CloseHandle(file);
    return whole;
}

bool PlayThroughWaveOut(const VoiceSound& sound) {
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = WORD(sound.Channels);
    format.nSamplesPerSec = DWORD(sound.Rate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = WORD(sound.Channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    // No device (a PC without speakers, a remote session without sound) is silence.
    if (waveOutOpen(&Now.Out, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        Now.Out = nullptr;
        return false;
    }
    Now.Sound = sound;
    Now.Header = WAVEHDR();
    Now.Header.lpData = reinterpret_cast<LPSTR>(Now.Sound.Samples.data());
    Now.Header.dwBufferLength = DWORD(Now.Sound.Samples.size() * sizeof(int16_t));
    return waveOutPrepareHeader(Now.Out, &Now.Header, sizeof Now.Header) == MMSYSERR_NOERROR &&
           waveOutWrite(Now.Out, &Now.Header, sizeof Now.Header) == MMSYSERR_NOERROR;
}

// Values in, a call to the player out: nothing here touches the window or the game.
bool PlayRecording(const std::shared_ptr<std::atomic<bool>>& stop, const std::string& picturePath,
                   const std::string& person) {
    const std::wstring path = WideText(picturePath, CP_ACP);
    const std::wstring folder = path.substr(0, path.find_last_of(L"\\/") + 1);
    const std::string chosen = ChooseVoiceFile(picturePath, person, Candidates(folder, picturePath, person));
    std::vector<uint8_t> bytes;
    if (chosen.empty() || *stop || !ReadRecording(folder + WideText(chosen, CP_UTF8), &bytes))
        return false;
    const double start = ThreadCpuSeconds();
    const DecodeStop halt{[&] { return stop->load() || ThreadCpuSeconds() - start > PictureCpuBudgetSeconds; }};
    VoiceSound sound;
    if (!HostVoice(bytes.data(), bytes.size(), VoiceKindOf(chosen), &sound, halt))
        return false;
    const std::lock_guard<std::mutex> hold(PlayLock);
    if (*stop)
        return true;
    const VoicePlayer player = Player.load();
    if (player != nullptr)
        player(sound);
    else
        PlayThroughWaveOut(sound);
    return true;
}

} // namespace

void SayFoundPair(const ClickOutcome& outcome, int picture) {
    const bool found = outcome.CueCount == 2 && outcome.Cues[1] == Cue::Match;
    if (!(CalmRound || SayNames == 1) || !found || picture < 1 || picture >= CardImageCount ||
        KeptPictures[picture].Path.empty())
        return;
    SayRecording(KeptPictures[picture].Path, KeptPictures[picture].Name, SayNames == 1);
}

void SayRecording(const std::string& picturePath, const std::string& person, bool sayName) {
    StopVoice();
    Stop = std::make_shared<std::atomic<bool>>(false);
    NameToSay = sayName ? WideText(person, CP_UTF8) : std::wstring();
    const HWND window = Engine != nullptr && !NameToSay.empty() ? Engine->Window : nullptr;
    Worker = RunLater([stop = Stop, picturePath, person, window, voice = Serial] {
        if (!PlayRecording(stop, picturePath, person) && window != nullptr && !*stop)
            PostMessageW(window, SayNameMessage, voice, 0);
    });
}

void SayPostedName(WPARAM voice) {
    if (voice == Serial)
        SpeakName(NameToSay);
}

void StopVoice() {
    StopSpeaking();
    ++Serial;
    const std::lock_guard<std::mutex> hold(PlayLock);
    if (Stop != nullptr)
        *Stop = true;
    if (Now.Out == nullptr)
        return;
    waveOutReset(Now.Out);
    waveOutUnprepareHeader(Now.Out, &Now.Header, sizeof Now.Header);
    waveOutClose(Now.Out);
    Now = Playing();
}

void SetVoicePlayer(VoicePlayer player) {
    Player = player;
}

void SettleVoice() {
    if (Worker.valid())
        Worker.get();
}
