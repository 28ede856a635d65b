// The one file that instantiates dlib's face descriptor: CMakeLists.txt compiles it optimised in
// every build, as it does the face finder, since the network is far too slow unoptimised.
#include "pictures/FaceDescriber.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <sstream>

#include <dlib/dnn.h>
#include <dlib/image_processing/shape_predictor.h>
#include <dlib/image_transforms/interpolation.h>

#include "pictures/PictureScale.h"
#include "pictures/ThreadOwned.h"

namespace {

// The network of dlib's dnn_face_recognition_ex.cpp, which its model file was trained as: a ResNet
// of 29 convolutions over a 150x150 face chip, ending in 128 numbers.
template <template <int, template <typename> class, int, typename> class Block, int N,
          template <typename> class Bn, typename Subnet>
using Residual = dlib::add_prev1<Block<N, Bn, 1, dlib::tag1<Subnet>>>;
template <template <int, template <typename> class, int, typename> class Block, int N,
          template <typename> class Bn, typename Subnet>
using ResidualDown =
    dlib::add_prev2<dlib::avg_pool<2, 2, 2, 2, dlib::skip1<dlib::tag2<Block<N, Bn, 2, dlib::tag1<Subnet>>>>>>;
template <int N, template <typename> class Bn, int Stride, typename Subnet>
using ConvBlock = Bn<dlib::con<N, 3, 3, 1, 1, dlib::relu<Bn<dlib::con<N, 3, 3, Stride, Stride, Subnet>>>>>;
template <int N, typename Subnet> using Ares = dlib::relu<Residual<ConvBlock, N, dlib::affine, Subnet>>;
template <int N, typename Subnet>
using AresDown = dlib::relu<ResidualDown<ConvBlock, N, dlib::affine, Subnet>>;
template <typename Subnet> using Level0 = AresDown<256, Subnet>;
template <typename Subnet> using Level1 = Ares<256, Ares<256, AresDown<256, Subnet>>>;
template <typename Subnet> using Level2 = Ares<128, Ares<128, AresDown<128, Subnet>>>;
template <typename Subnet> using Level3 = Ares<64, Ares<64, Ares<64, AresDown<64, Subnet>>>>;
template <typename Subnet> using Level4 = Ares<32, Ares<32, Ares<32, Subnet>>>;
using FaceNet = dlib::loss_metric<dlib::fc_no_bias<
    128, dlib::avg_pool_everything<Level0<Level1<Level2<Level3<Level4<dlib::max_pool<
             3, 3, 2, 2,
             dlib::relu<dlib::affine<dlib::con<32, 7, 7, 2, 2, dlib::input_rgb_image_sized<150>>>>>>>>>>>>>;

// The chip the network takes, as dlib's example cuts it: 150 px, a quarter of padding round the
// landmarks' face.
constexpr unsigned long ChipSide = 150;
constexpr double ChipPadding = 0.25;
// The landmarks the model marks: the eyes' corners and the nose. dlib's 68-point model, whose
// training data forbids commercial use, is refused by its count.
constexpr unsigned long ModelParts = 5;
// Far above either file (9 and 22 MB): a file named for a model is not read past it.
constexpr std::streamoff MaxModelBytes = std::streamoff(64) << 20;

struct FaceModels {
    dlib::shape_predictor Landmarks;
    FaceNet Net;
};

std::mutex LoadLock;
std::unique_ptr<FaceModels> Models;             // under LoadLock; kept to the process's end
std::atomic<const FaceModels*> Loaded{nullptr}; // set once, when both are whole

// The whole file at folder/name into text, when it is a file no larger than any model.
bool ReadModelFile(const std::string& folderUtf8, const char* name, std::string* text) {
    std::ifstream in(std::filesystem::u8path(folderUtf8) / name, std::ios::binary);
    if (!in || !in.seekg(0, std::ios::end))
        return false;
    const std::streamoff size = in.tellg();
    if (size <= 0 || size > MaxModelBytes || !in.seekg(0, std::ios::beg))
        return false;
    text->resize(size_t(size));
    return bool(in.read(&(*text)[0], size));
}

// Each thread's own network: a forward pass keeps its layers' outputs in the network. The first
// copy is made from the loaded one, in a few milliseconds.
FaceNet& ThreadNet(const FaceModels& models) {
    static ThreadOwned<FaceNet> nets;
    return nets.Mine([&models] { return std::make_unique<FaceNet>(models.Net); });
}

// The network was trained on RGB chips.
dlib::matrix<dlib::rgb_pixel> ToRgb(const uint32_t* pixels, int width, int height) {
    dlib::matrix<dlib::rgb_pixel> image(height, width);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = pixels + size_t(y) * width;
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = row[x];
            image(y, x) = dlib::rgb_pixel(static_cast<unsigned char>(pixel >> 16 & 0xff),
                                          static_cast<unsigned char>(pixel >> 8 & 0xff),
                                          static_cast<unsigned char>(pixel & 0xff));
        }
    }
    return image;
}

std::optional<FaceDescriptor> Describe(const FaceModels& models, FaceNet& net,
                                       const dlib::matrix<dlib::rgb_pixel>& image, const FaceBox& box) {
    FaceBox sound;
    if (!SoundBox(box, &sound))
        return std::nullopt;
    const long width = image.nc(), height = image.nr();
    // dlib's right and bottom are the last pixels inside.
    const long left = std::lround(sound.Left * width), top = std::lround(sound.Top * height);
    const dlib::rectangle face(left, top, std::max(left, std::lround((sound.Left + sound.Width) * width) - 1),
                               std::max(top, std::lround((sound.Top + sound.Height) * height) - 1));
    const dlib::full_object_detection shape = models.Landmarks(image, face);
    dlib::matrix<dlib::rgb_pixel> chip;
    dlib::extract_image_chip(image, dlib::get_face_chip_details(shape, ChipSide, ChipPadding), chip);
    const dlib::matrix<float, 0, 1> measured = net(chip);
    FaceDescriptor descriptor;
    if (measured.size() != long(descriptor.size()))
        return std::nullopt;
    for (size_t i = 0; i < descriptor.size(); ++i) {
        descriptor[i] = measured(long(i));
        if (!std::isfinite(descriptor[i]))
            return std::nullopt;
    }
    return descriptor;
}

} // namespace

bool LoadFaceModels(const std::string& folderUtf8) {
    const std::lock_guard<std::mutex> hold(LoadLock);
    if (Loaded.load() != nullptr)
        return true;
    // Read whole and bounded first: a damaged file then fails in dlib's reading of bytes in memory
    // (which throws at any inconsistency), never on a read of the disk.
    std::string landmarks, net;
    if (!ReadModelFile(folderUtf8, "shape_predictor_5_face_landmarks.dat", &landmarks) ||
        !ReadModelFile(folderUtf8, "dlib_face_recognition_resnet_model_v1.dat", &net))
        return false;
    try {
        auto models = std::make_unique<FaceModels>();
        std::istringstream landmarksIn(std::move(landmarks), std::ios::binary);
        dlib::deserialize(models->Landmarks, landmarksIn);
        std::istringstream netIn(std::move(net), std::ios::binary);
        dlib::deserialize(models->Net, netIn);
        if (models->Landmarks.num_parts() != ModelParts || models->Landmarks.num_features() == 0)
            return false;
        Models = std::move(models);
    } catch (const std::exception&) {
        return false;
    }
    Loaded = Models.get();
    return true;
}

std::vector<std::optional<FaceDescriptor>> DescribeFaces(const uint32_t* pixels, int width, int height,
                                                         const std::vector<FaceBox>& faces) {
    std::vector<std::optional<FaceDescriptor>> described(faces.size());
    const FaceModels* models = Loaded.load();
    // The same bound as the face finder's: the RGB copy and dlib's work take far less.
    if (models == nullptr || faces.empty() || pixels == nullptr || width < 1 || height < 1 ||
        double(width) * height * 16 > double(MaxDecodeBytes))
        return described;
    try {
        const dlib::matrix<dlib::rgb_pixel> image = ToRgb(pixels, width, height);
        FaceNet& net = ThreadNet(*models);
        for (size_t i = 0; i < faces.size(); ++i)
            described[i] = Describe(*models, net, image, faces[i]);
    } catch (const std::exception&) {
        // No memory, or dlib refused: what was described stands.
    }
    return described;
}
