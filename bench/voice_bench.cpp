// How soon a found pair's voice starts, under Wine: the time from the pair found (SayRecording, as
// TurnCard calls it) up to the call that plays the samples, for a phone's 3 s memo as a 48 kHz
// stereo WAVE (read by our own reader in the codec host) and as a 32-bit float WAVE (read by Media
// Foundation, through GStreamer under Wine). The first voice also starts its codec host. Goal: 0.3 s.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/Measures.h"
#include "board/Voice.h"

namespace {

const int Runs = 15;
const double GoalMs = 300;
double PlayedAt = 0;

bool NotePlay(const VoiceSound&) {
    PlayedAt = Now();
    return true;
}

std::string Le(uint32_t value, int bytes) {
    return std::string(reinterpret_cast<const char*>(&value), size_t(bytes));
}

// Three seconds of a tone as 16-bit PCM (tag 1) or 32-bit float (tag 3) samples.
void WriteMemo(const std::string& path, int tag, int channels, int rate) {
    const int bits = tag == 3 ? 32 : 16;
    std::string data;
    for (int i = 0; i < 3 * rate * channels; ++i) {
        const double value = 0.3 * std::sin(i / 9.0);
        if (tag == 3) {
            const float sample = float(value);
            data.append(reinterpret_cast<const char*>(&sample), 4);
        } else {
            data += Le(uint32_t(int16_t(value * 32767)), 2);
        }
    }
    const std::string format = Le(uint32_t(tag), 2) + Le(uint32_t(channels), 2) + Le(uint32_t(rate), 4) +
                               Le(uint32_t(rate * channels * bits / 8), 4) + Le(uint32_t(channels * bits / 8), 2) +
                               Le(uint32_t(bits), 2);
    const std::string body = "WAVEfmt " + Le(16, 4) + format + "data" + Le(uint32_t(data.size()), 4) + data;
    std::ofstream(path, std::ios::binary) << "RIFF" << Le(uint32_t(body.size()), 4) << body;
}

// Milliseconds from the pair found to the play call; negative when nothing played.
double TimeToVoice(const std::string& picture) {
    PlayedAt = 0;
    const double found = Now();
    SayRecording(picture, "", false);
    SettleVoice();
    return PlayedAt > 0 ? PlayedAt - found : -1;
}

void Measure(const char* what, const std::string& picture) {
    const double first = TimeToVoice(picture);
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run)
        times.push_back(TimeToVoice(picture));
    std::sort(times.begin(), times.end());
    if (first < 0 || times.front() < 0) {
        std::printf("%-34s no voice played\n", what);
        return;
    }
    std::printf("%-34s first %7.1f ms, median %6.1f ms, slowest %6.1f ms of %d  %s\n", what, first,
                times[times.size() / 2], times.back(), Runs,
                std::max(first, times.back()) <= GoalMs ? "within 0.3 s" : "OVER 0.3 s");
}

} // namespace

int main() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "yorewind-voice-bench";
    std::filesystem::create_directories(folder);
    WriteMemo((folder / "Grandma.wav").string(), 1, 2, 48000);
    WriteMemo((folder / "Opa.wav").string(), 3, 1, 44100);
    SetVoicePlayer(NotePlay);
    std::printf("From the pair found to the call that plays its voice (a 3 s memo):\n");
    Measure("PCM WAVE, 48 kHz stereo", (folder / "Grandma.jpg").string());
    Measure("float WAVE through Media Foundation", (folder / "Opa.jpg").string());
    StopVoice();
    std::filesystem::remove_all(folder);
    return 0;
}
