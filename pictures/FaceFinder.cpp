// The one file that includes dlib: its templates are instantiated here, and CMakeLists.txt compiles
// it optimised in every build, since the detector is far too slow unoptimised.
#include "pictures/FaceFinder.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <utility>

#include <dlib/image_processing/frontal_face_detector.h>

#include "pictures/PictureDecoder.h"
#include "pictures/PictureReading.h"
#include "pictures/PictureScale.h"
#include "pictures/ThreadOwned.h"
#include "pictures/PictureSize.h"

namespace {

// Each thread's own detector: a search changes the detector's state, so threads cannot share one.
// Unpacking dlib's filters from the text it carries takes a few hundred milliseconds, once; each thread
// copies the first in well under a millisecond.
dlib::frontal_face_detector& ThreadDetector() {
    static const dlib::frontal_face_detector first = dlib::get_frontal_face_detector();
    static ThreadOwned<dlib::frontal_face_detector> detectors;
    return detectors.Mine([] { return std::make_unique<dlib::frontal_face_detector>(first); });
}

// The detector was trained on dlib's own grey: the plain mean of the three channels.
void ToGrey(const uint32_t* pixels, int width, int height, dlib::array2d<unsigned char>* grey) {
    grey->set_size(height, width);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + size_t(y) * width;
        unsigned char* out = &(*grey)[y][0];
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = row[x];
            out[x] =
                static_cast<unsigned char>(((pixel >> 16 & 0xff) + (pixel >> 8 & 0xff) + (pixel & 0xff)) / 3);
        }
    }
}

// False when the search could not be made (no memory, or dlib refused).
bool Search(const uint32_t* pixels, int width, int height, std::vector<FaceBox>* faces) {
    faces->clear();
    // The same bound as a decode's: the detector's pyramid and features take a few bytes a pixel.
    if (pixels == nullptr || width < 1 || height < 1 || double(width) * height * 16 > double(MaxDecodeBytes))
        return false;
    std::vector<dlib::rectangle> found;
    try {
        dlib::array2d<unsigned char> grey;
        ToGrey(pixels, width, height, &grey);
        found = ThreadDetector()(grey);
    } catch (const std::exception&) {
        return false;
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const dlib::rectangle& a, const dlib::rectangle& b) { return a.area() > b.area(); });
    for (const dlib::rectangle& face : found) {
        if (faces->size() == MaxFoundFaces)
            break;
        // dlib's right and bottom are the last pixels inside; its boxes may reach past the picture.
        const FaceBox box{double(face.left()) / width, double(face.top()) / height,
                          double(face.width()) / width, double(face.height()) / height};
        FaceBox sound;
        if (SoundBox(box, &sound))
            faces->push_back(sound);
    }
    return true;
}

} // namespace

void FaceSearchSize(int width, int height, int* searchWidth, int* searchHeight) {
    const int shorter = std::min(width, height);
    if (width < 1 || height < 1 || shorter <= FaceSearchSide) {
        *searchWidth = std::max(width, 0);
        *searchHeight = std::max(height, 0);
        return;
    }
    const double scale = double(FaceSearchSide) / shorter;
    *searchWidth = width == shorter ? FaceSearchSide : std::max(1, int(std::lround(width * scale)));
    *searchHeight = height == shorter ? FaceSearchSide : std::max(1, int(std::lround(height * scale)));
}

std::vector<FaceBox> FindFaces(const uint32_t* pixels, int width, int height) {
    std::vector<FaceBox> faces;
    Search(pixels, width, height, &faces);
    return faces;
}

bool FindFacesInPicture(const char* path, const DecodeStop& stop, std::vector<FaceBox>* faces,
                        SearchedPicture* searched) {
    faces->clear();
    const PictureReading reading(path);
    std::vector<uint8_t> bytes;
    int width = 0, height = 0;
    if (!ReadPictureFile(path, &bytes) || !PictureSizeOfData(bytes.data(), bytes.size(), &width, &height) ||
        stop())
        return false;
    int searchWidth = 0, searchHeight = 0;
    FaceSearchSize(width, height, &searchWidth, &searchHeight);
    std::vector<uint32_t> pixels;
    if (!DecodePictureData(bytes.data(), bytes.size(), searchWidth, searchHeight, PictureFit::Stretch,
                           &pixels, stop) ||
        stop())
        return false;
    if (!Search(pixels.data(), searchWidth, searchHeight, faces))
        return false;
    if (searched != nullptr)
        *searched = {searchWidth, searchHeight, std::move(pixels)};
    return true;
}
