// The face descriptor, natively and under Wine alike: what loading its models costs a run, a
// thread's first description (its copy of the network), and each later one, in wall and CPU time;
// then a whole picture's faces read for the people's index.
//   describe_bench DLIB_FOLDER
// DLIB_FOLDER is the folder dlib's build keeps beside its headers (its photos and face chips); the
// models are FaceModelsFolder()'s.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "pictures/FaceDescriber.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureFaces.h"
#include "pictures/ThreadCpuTime.h"

namespace {

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

struct Cost {
    double Wall = 0;
    double Cpu = 0;
};

template <typename Job> Cost Measure(Job job) {
    const auto start = std::chrono::steady_clock::now();
    const double cpu = ThreadCpuSeconds();
    job();
    return {Milliseconds(start), (ThreadCpuSeconds() - cpu) * 1000};
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: describe_bench DLIB_FOLDER\n");
        return 2;
    }
    const std::string dlib = argv[1];
    bool loaded = false;
    const Cost load = Measure([&] { loaded = LoadFaceModels(FaceModelsFolder()); });
    if (!loaded) {
        std::printf("the models do not load from %s\n", FaceModelsFolder().c_str());
        return 1;
    }
    std::printf("models loaded:                    %6.0f ms (%4.0f ms of CPU)\n", load.Wall, load.Cpu);

    // A chip of dlib's at twice its size, its face about 180 px across, as a photo's may be.
    std::vector<uint32_t> chip;
    if (!DecodePicture((dlib + "/johns/John_Salley/000179_02159509.jpg").c_str(), 300, 300,
                       PictureFit::Stretch, &chip))
        return 1;
    const std::vector<FaceBox> face = {{0.2, 0.2, 0.6, 0.6}};
    Cost first;
    std::thread([&] { first = Measure([&] { DescribeFaces(chip.data(), 300, 300, face); }); }).join();
    std::printf("a thread's first face described:  %6.0f ms (%4.0f ms of CPU)\n", first.Wall, first.Cpu);
    std::vector<Cost> later;
    for (int i = 0; i < 9; ++i)
        later.push_back(Measure([&] { DescribeFaces(chip.data(), 300, 300, face); }));
    std::sort(later.begin(), later.end(), [](const Cost& a, const Cost& b) { return a.Wall < b.Wall; });
    std::printf("one face described, median of 9:  %6.1f ms (%4.1f ms of CPU)\n", later[4].Wall,
                later[4].Cpu);

    std::vector<IndexedFace> faces;
    const Cost whole =
        Measure([&] { ReadPictureFaces((dlib + "/faces/bald_guys.jpg").c_str(), DecodeStop(), &faces); });
    std::printf(
        "bald_guys.jpg read, found, described: %zu faces in %.0f ms (%.0f ms of CPU), %.0f ms a face\n",
        faces.size(), whole.Wall, whole.Cpu, faces.empty() ? 0.0 : whole.Wall / faces.size());
}
