// The face finder, natively and under Wine alike: what a search costs per picture at its search size,
// with and without the decode, and the smallest face it finds there.
//   face_bench DLIB_FOLDER LARGE_PHOTO
// DLIB_FOLDER is the folder dlib's build keeps beside its headers (its photos and face chips);
// LARGE_PHOTO a 12-megapixel JPEG of its photo of 24 faces (made by scripts/bench).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "pictures/FaceFinder.h"
#include "pictures/PictureDecoder.h"
#include "pictures/PictureSize.h"

namespace {

double Milliseconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

template <typename Job> double MedianMilliseconds(int runs, Job job) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        job();
        times.push_back(Milliseconds(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The picture file's size as shown and its search size.
bool Sizes(const std::string& path, int* width, int* height, int* searchWidth, int* searchHeight) {
    std::vector<uint8_t> bytes;
    if (!ReadPictureFile(path.c_str(), &bytes) ||
        !PictureSizeOfData(bytes.data(), bytes.size(), width, height))
        return false;
    FaceSearchSize(*width, *height, searchWidth, searchHeight);
    return true;
}

void TimePicture(const std::string& path, const char* name) {
    int width = 0, height = 0, searchWidth = 0, searchHeight = 0;
    std::vector<uint32_t> pixels;
    if (!Sizes(path, &width, &height, &searchWidth, &searchHeight) ||
        !DecodePicture(path.c_str(), searchWidth, searchHeight, PictureFit::Stretch, &pixels)) {
        std::printf("%s: does not decode\n", path.c_str());
        return;
    }
    size_t found = 0;
    const double search =
        MedianMilliseconds(7, [&] { found = FindFaces(pixels.data(), searchWidth, searchHeight).size(); });
    const double whole = MedianMilliseconds(7, [&] {
        std::vector<FaceBox> faces;
        FindFacesInPicture(path.c_str(), DecodeStop(), &faces);
    });
    std::printf(
        "%-34s %5dx%-5d at %4dx%-4d %6.1f MP %3zu faces  search %6.0f ms  read+decode+search %6.0f ms\n",
        name, width, height, searchWidth, searchHeight, searchWidth * double(searchHeight) / 1e6, found,
        search, whole);
}

// The side of the smallest copy of the face chip, pasted into mid-grey at the search size of a
// 4:3 photo, that is still found (its box overlapping the chip), shrunk 2 px at a time from 150 px;
// and the width of the box found at that side.
void SmallestFace(const std::string& chip, const char* name) {
    const int width = 1067, height = 800;
    int smallest = 0, box = 0;
    for (int side = 150; side >= 20; side -= 2) {
        std::vector<uint32_t> face;
        if (!DecodePicture(chip.c_str(), side, side, PictureFit::Stretch, &face))
            break;
        std::vector<uint32_t> picture(size_t(width) * height, 0x808080);
        const int left = (width - side) / 2, top = (height - side) / 2;
        for (int y = 0; y < side; ++y)
            std::copy_n(face.begin() + size_t(y) * side, side,
                        picture.begin() + size_t(top + y) * width + left);
        const std::vector<FaceBox> faces = FindFaces(picture.data(), width, height);
        const bool found = std::any_of(faces.begin(), faces.end(), [&](const FaceBox& f) {
            return f.Left * width < left + side && (f.Left + f.Width) * width > left &&
                   f.Top * height < top + side && (f.Top + f.Height) * height > top;
        });
        if (!found)
            break;
        smallest = side;
        box = int(faces.front().Width * width + 0.5);
    }
    std::printf("%-34s smallest chip found at 1067x800: %3d px (box %3d px)\n", name, smallest, box);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: face_bench DLIB_FOLDER LARGE_PHOTO\n");
        return 2;
    }
    const std::string dlib = argv[1];
    const auto start = std::chrono::steady_clock::now();
    std::thread([] { FindFaces(std::vector<uint32_t>(64 * 64).data(), 64, 64); }).join();
    std::printf("a thread's first search of a 64x64 picture (its detector made): %.0f ms\n",
                Milliseconds(start));
    const double other = MedianMilliseconds(
        5, [] { std::thread([] { FindFaces(std::vector<uint32_t>(64 * 64).data(), 64, 64); }).join(); });
    std::printf("another thread's first (its own copy of the detector): %.1f ms\n", other);
    const double second =
        MedianMilliseconds(5, [] { FindFaces(std::vector<uint32_t>(64 * 64).data(), 64, 64); });
    std::printf("a later one: %.1f ms\n", second);
    TimePicture(argv[2], "bald_guys.jpg as a 4000x3000 JPEG");
    TimePicture(dlib + "/faces/bald_guys.jpg", "bald_guys.jpg");
    TimePicture(dlib + "/faces/Tom_Cruise_avp_2014_4.jpg", "Tom_Cruise_avp_2014_4.jpg");
    TimePicture(dlib + "/faces/2008_002506.jpg", "2008_002506.jpg");
    // The first chip of each of the five people.
    std::vector<std::filesystem::path> people, chips;
    for (const auto& entry : std::filesystem::directory_iterator(dlib + "/johns"))
        people.push_back(entry.path());
    std::sort(people.begin(), people.end());
    for (const std::filesystem::path& person : people) {
        chips.clear();
        for (const auto& entry : std::filesystem::directory_iterator(person))
            chips.push_back(entry.path());
        std::sort(chips.begin(), chips.end());
        if (!chips.empty())
            SmallestFace(chips.front().string(), person.filename().string().c_str());
    }
}
