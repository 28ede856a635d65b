// What moving Windows' codecs into their host process costs, under Wine:
//   codec_host_bench FOLDER   (FOLDER holds tif01..18.tif and pic01..18.jpg)
// Runs, interleaved, deals of the 18 TIFFs with the codecs in this process (as the game read them
// before their host) and through the host as the game reads them now, each with its names and dates;
// and deals of the 18 JPEGs, which never need the host, with and without the note of the pictures
// being read that lets a crash be traced to its picture. Prints the medians and what the host costs
// per picture (one thread, a host already running, and the copy into the section each request makes)
// and to start.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "app/CrashRecord.h"
#include "bench/Measures.h"
#include "pictures/CodecHost.h"
#include "pictures/ExifReader.h"
#include "pictures/PictureBatch.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureReading.h"
#include "pictures/WicDecoder.h"

namespace {

const int CardWidth = 131; // a level-4 card in an 800 by 600 client
const int CardHeight = 98;
const int Runs = 7;

std::vector<std::string> Files(const std::string& folder, const char* stem, const char* type) {
    std::vector<std::string> paths;
    for (int i = 1; i <= 18; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\%s%02d.%s", stem, i, type);
        paths.push_back(folder + name);
    }
    return paths;
}

// A TIFF as the game read it before: its orientation and metadata by our own readers, its pixels by
// the codec in this process.
bool DecodeInProcess(const std::string& path) {
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> pixels;
    int orientation = 0;
    if (!ReadPictureFile(path.c_str(), &bytes))
        return false;
    if (!ReadTiffDirectory(bytes.data(), bytes.size(), &orientation, nullptr, nullptr))
        orientation = 0;
    const bool decoded = DecodeWic(bytes.data(), bytes.size(), CardWidth, CardHeight, PictureFit::Stretch,
                                   orientation, &pixels);
    ReadPictureInfoData(bytes.data(), bytes.size());
    return decoded;
}

double InProcessDeal(const std::vector<std::string>& paths) {
    const double start = Now();
    RunOnWorkers(paths.size(), DecodeThreadCount(), [&](size_t i) { DecodeInProcess(paths[i]); });
    return Now() - start;
}

double Deal(const std::vector<std::string>& paths, size_t* decoded = nullptr) {
    const double start = Now();
    const size_t count = DecodeFirstPictures(paths, paths.size(), CardWidth, CardHeight, PictureFit::Stretch,
                                             DecodeThreadCount())
                             .size();
    if (decoded != nullptr)
        *decoded = count;
    return Now() - start;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One picture on this thread: through its host (already running) and in this process, n times each.
void PerPicture(const std::string& path, double* hosted, double* inProcess) {
    std::vector<double> host, own;
    std::vector<uint32_t> pixels;
    DecodePicture(path.c_str(), CardWidth, CardHeight, PictureFit::Stretch, &pixels); // the host starts
    for (int run = 0; run < Runs; ++run) {
        PictureInfo info;
        double start = Now();
        DecodePicture(path.c_str(), CardWidth, CardHeight, PictureFit::Stretch, &pixels, DecodeStop(), &info);
        host.push_back(Now() - start);
        start = Now();
        DecodeInProcess(path);
        own.push_back(Now() - start);
    }
    *hosted = Median(host);
    *inProcess = Median(own);
    // The copy into a fresh section that each request makes.
    std::vector<uint8_t> bytes;
    ReadPictureFile(path.c_str(), &bytes);
    std::vector<double> copies;
    for (int run = 0; run < Runs; ++run) {
        const double at = Now();
        HANDLE section = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                            DWORD(bytes.size()), nullptr);
        void* view = MapViewOfFile(section, FILE_MAP_ALL_ACCESS, 0, 0, bytes.size());
        std::memcpy(view, bytes.data(), bytes.size());
        UnmapViewOfFile(view);
        CloseHandle(section);
        copies.push_back(Now() - at);
    }
    std::printf("copy of %zu bytes into a fresh section: %.1f ms\n", bytes.size(), Median(copies));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: codec_host_bench FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::vector<std::string> tiffs = Files(folder, "tif", "tif");
    const std::vector<std::string> jpegs = Files(folder, "pic", "jpg");
    std::printf("%u workers; load average as the shell printed it before\n", DecodeThreadCount());

    // A start on a thread of its own: the host's process from nothing to its first answer, less the
    // same picture's decode once running.
    double started = 0.0;
    double again = 0.0;
    std::thread([&] {
        std::vector<uint32_t> pixels;
        double at = Now();
        DecodePicture(tiffs[0].c_str(), CardWidth, CardHeight, PictureFit::Stretch, &pixels);
        started = Now() - at;
        at = Now();
        DecodePicture(tiffs[0].c_str(), CardWidth, CardHeight, PictureFit::Stretch, &pixels);
        again = Now() - at;
    }).join();
    std::printf("host start: %.1f ms (first picture %.1f ms, the next %.1f ms)\n", started - again, started,
                again);

    size_t decoded = 0;
    const unsigned before = CodecHostsStarted();
    const double firstDeal = Deal(tiffs, &decoded);
    std::printf("first TIFF deal through the hosts: %.0f ms, %zu pictures, %u hosts started\n", firstDeal,
                decoded, CodecHostsStarted() - before);

    std::vector<double> own, hosted;
    for (int run = 0; run < Runs; ++run) {
        own.push_back(InProcessDeal(tiffs));
        hosted.push_back(Deal(tiffs));
    }
    std::printf("18 TIFFs, median of %d: in this process %.0f ms, through the hosts %.0f ms: %.2fx\n", Runs,
                Median(own), Median(hosted), Median(hosted) / Median(own));

    double onePictureHosted = 0.0;
    double onePictureOwn = 0.0;
    PerPicture(tiffs[0], &onePictureHosted, &onePictureOwn);
    std::printf("one TIFF with its names on one thread: in this process %.1f ms, through its host %.1f ms "
                "(+%.1f ms)\n",
                onePictureOwn, onePictureHosted, onePictureHosted - onePictureOwn);

    std::vector<double> bare, noted;
    const unsigned hostsBefore = CodecHostsStarted();
    for (int run = 0; run < Runs; ++run) {
        SetReadingRecorder(nullptr);
        bare.push_back(Deal(jpegs));
        OpenCrashRecord();
        noted.push_back(Deal(jpegs));
    }
    CloseCrashRecord();
    SetReadingRecorder(nullptr);
    std::printf("18 JPEGs, median of %d: %.0f ms, with their reads noted %.0f ms: %.2fx; hosts started %u\n",
                Runs, Median(bare), Median(noted), Median(noted) / Median(bare),
                CodecHostsStarted() - hostsBefore);
    return 0;
}
