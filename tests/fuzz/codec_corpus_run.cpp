// scripts/fuzz's run under Wine: each file of a list through the whole Windows reading path as a deal
// reads it (DecodePictureData with a picture's CPU budget, PictureSizeOfData, ReadPictureInfoData),
// so that what none of the game's decoders reads reaches Windows' codecs in their host process.
//
//   codec_corpus_run LIST FIRST
//
// LIST holds one Windows path a line; the run starts at entry FIRST. Before each file it prints
// "reading N PATH", after it "read N FORMAT DECODED WxH TITLE-BYTES HOSTS-STARTED RESTARTS MS PATH",
// each line flushed, so a run that ends part-way says which file it was reading; scripts/fuzz then
// starts it again after that file. Exit codes: 0 all read, 1 an answer broke a rule the game relies
// on, 70 this process crashed, 71 one file took longer than FileLimitSeconds.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "pictures/CodecHost.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureFacts.h"
#include "pictures/PictureFormat.h"
#include "pictures/PictureSize.h"
#include "pictures/ThreadCpuTime.h"

namespace {

// Well past what a host may take before it is ended (CodecHostSilenceMs) on each of a file's reads.
constexpr int FileLimitSeconds = 60;

std::atomic<long> Reading{-1};
std::atomic<long long> Deadline{0}; // steady clock's seconds; 0: none

long long NowSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

LONG WINAPI Crashed(EXCEPTION_POINTERS* exception) {
    std::printf("crashed %ld 0x%08lx\n", Reading.load(), exception->ExceptionRecord->ExceptionCode);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 70);
    return EXCEPTION_EXECUTE_HANDLER;
}

void Watch() {
    for (;;) {
        Sleep(200);
        const long long deadline = Deadline.load();
        if (deadline != 0 && NowSeconds() > deadline) {
            std::printf("hung %ld\n", Reading.load());
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 71);
        }
    }
}

const char* FormatName(PictureFormat format) {
    static const char* const Names[] = {"jpeg", "png", "gif", "webp", "bmp", "heif", "tiff", "other"};
    return Names[int(format)];
}

// Whether the format may go to the codec host.
bool MayUseHost(PictureFormat format) {
    return format == PictureFormat::Heif || format == PictureFormat::Tiff || format == PictureFormat::Other;
}

// Reads one file; false when an answer breaks what the game relies on.
bool ReadOne(long index, const std::string& path) {
    static const struct { int Width, Height; } cards[] = {{1, 1}, {7, 5}, {20, 15}, {131, 98}};
    std::vector<uint8_t> bytes;
    if (!ReadPictureFile(path.c_str(), &bytes)) {
        std::printf("unreadable %ld %s\n", index, path.c_str());
        return true;
    }
    const auto start = std::chrono::steady_clock::now();
    const unsigned hostsBefore = CodecHostsStarted();
    const auto& card = cards[index % 4];
    const PictureFit fit = index / 4 % 2 == 0 ? PictureFit::Stretch : PictureFit::KeepShape;
    const double cpuStart = ThreadCpuSeconds();
    const DecodeStop budget{[cpuStart] { return ThreadCpuSeconds() - cpuStart > PictureCpuBudgetSeconds; }};
    std::vector<uint32_t> pixels;
    const bool decoded =
        DecodePictureData(bytes.data(), bytes.size(), card.Width, card.Height, fit, &pixels, budget);
    int width = 0;
    int height = 0;
    const bool sized = PictureSizeOfData(bytes.data(), bytes.size(), &width, &height);
    const PictureInfo info = ReadPictureInfoData(bytes.data(), bytes.size());
    // A host lost on this file's last read is started again only by the next read: one more asked
    // here, of nothing, lays the restart at this file's door.
    const PictureFormat format = SniffPictureFormat(bytes.data(), bytes.size());
    if (MayUseHost(format) && CodecHostsStarted() > 0) {
        const uint8_t nothing = 0;
        int w = 0, h = 0, o = 0;
        HostFrameSize(&nothing, 1, 0, &w, &h, &o);
    }
    const unsigned started = CodecHostsStarted() - hostsBefore;
    const unsigned restarts = hostsBefore == 0 && started > 0 ? started - 1 : started;
    const long long ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    std::printf("read %ld %s %d %dx%d %lu %u %u %ld %s\n", index, FormatName(format), decoded ? 1 : 0, width,
                height, static_cast<unsigned long>(info.Title.size()), started, restarts, long(ms), path.c_str());
    bool right = true;
    const auto wrong = [&](const char* what) {
        std::printf("wrong %ld %s %s\n", index, what, path.c_str());
        right = false;
    };
    if (decoded && pixels.size() != size_t(card.Width) * card.Height)
        wrong("a decode that succeeded gave no whole card");
    if (sized && (width < 1 || height < 1))
        wrong("a size that is none");
    if (info.Title.size() > MaxTitleBytes || ClipUtf8(info.Title, MaxTitleBytes) != info.Title)
        wrong("a title unbounded or cut inside a character");
    if (!info.Taken.empty() && info.Taken.size() != 10)
        wrong("a date taken that is no day");
    return right;
}

} // namespace

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    SetUnhandledExceptionFilter(Crashed);
    if (argc != 3) {
        std::fprintf(stderr, "usage: codec_corpus_run LIST FIRST\n");
        return 2;
    }
    std::ifstream list(argv[1]);
    std::vector<std::string> paths;
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            paths.push_back(line);
    }
    std::thread(Watch).detach();
    bool right = true;
    for (long index = std::atol(argv[2]); index >= 0 && size_t(index) < paths.size(); ++index) {
        Reading = index;
        Deadline = NowSeconds() + FileLimitSeconds;
        std::printf("reading %ld %s\n", index, paths[size_t(index)].c_str());
        std::fflush(stdout);
        right = ReadOne(index, paths[size_t(index)]) && right;
        std::fflush(stdout);
    }
    Deadline = 0;
    std::printf("done %lu files\n", static_cast<unsigned long>(paths.size()));
    std::fflush(stdout);
    return right ? 0 : 1;
}
