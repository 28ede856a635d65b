#include "pictures/FaceFinder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <expat.h>
#include <gtest/gtest.h>

#include "MadeFile.h"
#include "pictures/FaceFraming.h"
#include "pictures/PictureDecoder.h"

namespace {

// dlib's example photos (PASCAL VOC, 500 px wide or so), each with a box marked round each face.
struct MarkedPhoto {
    std::string File;
    double Width = 0, Height = 0;
    std::vector<FaceBox> Faces; // fractions of the photo
};

void OnElement(void* data, const XML_Char* name, const XML_Char** attribute) {
    auto* photos = static_cast<std::vector<MarkedPhoto>*>(data);
    std::map<std::string, std::string> values;
    for (; *attribute != nullptr; attribute += 2)
        values[attribute[0]] = attribute[1];
    const auto number = [&](const char* key) { return values.count(key) ? std::stod(values[key]) : 0.0; };
    if (std::strcmp(name, "image") == 0)
        photos->push_back({values["file"], number("width"), number("height"), {}});
    else if (std::strcmp(name, "box") == 0 && !photos->empty()) {
        MarkedPhoto& photo = photos->back();
        photo.Faces.push_back({number("left") / photo.Width, number("top") / photo.Height,
                               number("width") / photo.Width, number("height") / photo.Height});
    }
}

std::vector<MarkedPhoto> MarkedPhotos() {
    std::vector<MarkedPhoto> photos;
    for (const char* list : {"training.xml", "testing.xml"}) {
        std::ifstream in(std::string(YW_DLIB_FACES) + "/" + list, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        XML_Parser parser = XML_ParserCreate(nullptr);
        XML_SetUserData(parser, &photos);
        XML_SetStartElementHandler(parser, OnElement);
        EXPECT_EQ(XML_Parse(parser, text.data(), int(text.size()), 1), XML_STATUS_OK) << list;
        XML_ParserFree(parser);
    }
    return photos;
}

double Overlap(const FaceBox& a, const FaceBox& b) {
    const double width = std::min(a.Left + a.Width, b.Left + b.Width) - std::max(a.Left, b.Left);
    const double height = std::min(a.Top + a.Height, b.Top + b.Height) - std::max(a.Top, b.Top);
    const double common = std::max(width, 0.0) * std::max(height, 0.0);
    return common / (a.Width * a.Height + b.Width * b.Height - common);
}

bool Matches(const FaceBox& face, const std::vector<FaceBox>& boxes) {
    return std::any_of(boxes.begin(), boxes.end(),
                       [&](const FaceBox& box) { return Overlap(face, box) >= 0.3; });
}

std::string Photo(const std::string& file) {
    return std::string(YW_DLIB_FACES) + "/" + file;
}

} // namespace

// The photos' faces are 37 to 90 px, where a photo the game searches is decoded with its shorter side
// at 800: decoded at twice their size (as dlib's own example upsamples them), they are searched at
// about that side. Of 43 marked faces the detector finds 41 there, and nothing else.
TEST(FaceFinder, FindsTheMarkedFacesOfDlibsPhotosAndNothingElse) {
    const std::vector<MarkedPhoto> photos = MarkedPhotos();
    ASSERT_EQ(photos.size(), 9u);
    size_t marked = 0, found = 0, stray = 0;
    for (const MarkedPhoto& photo : photos) {
        const int width = int(photo.Width) * 2, height = int(photo.Height) * 2;
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(DecodePicture(Photo(photo.File).c_str(), width, height, PictureFit::Stretch, &pixels));
        const std::vector<FaceBox> faces = FindFaces(pixels.data(), width, height);
        for (size_t i = 1; i < faces.size(); ++i)
            EXPECT_GE(faces[i - 1].Width * faces[i - 1].Height * (1 + 1e-9), faces[i].Width * faces[i].Height)
                << photo.File;
        marked += photo.Faces.size();
        for (const FaceBox& box : photo.Faces)
            found += Matches(box, faces);
        for (const FaceBox& face : faces)
            stray += !Matches(face, photo.Faces);
    }
    EXPECT_EQ(marked, 43u);
    EXPECT_GE(found, 39u);
    EXPECT_EQ(stray, 0u);
}

TEST(FaceFinder, SearchesAtTheShorterSideOf800OrThePicturesOwn) {
    // Landscape and portrait, a picture smaller than the side, a panorama, and rounding.
    const int sizes[][4] = {{4000, 3000, 1067, 800},
                            {3024, 4032, 800, 1067},
                            {640, 480, 640, 480},
                            {800, 20000, 800, 20000},
                            {1601, 801, 1599, 800}};
    for (const auto& size : sizes) {
        int width = 0, height = 0;
        FaceSearchSize(size[0], size[1], &width, &height);
        EXPECT_EQ(width, size[2]) << size[0] << "x" << size[1];
        EXPECT_EQ(height, size[3]) << size[0] << "x" << size[1];
    }
}

// A phone's portrait, stored on its side with EXIF saying to turn it, is searched upright: its faces
// are where they are in the photo stored upright. Threads searching at once each find the same
// faces; a photo of dogs has none; a search told to stop ends without any.
TEST(FaceFinder, SearchesAPictureFileUpright) {
    std::vector<FaceBox> upright, turned;
    ASSERT_TRUE(FindFacesInPicture(Photo("2008_001009.jpg").c_str(), DecodeStop(), &upright));
    const std::string sideways =
        Make("sideways.jpg",
             "convert '" + Photo("2008_001009.jpg") +
                 "' -rotate -90 -quality 95 @ && exiftool -q -n -Orientation=6 -overwrite_original @");
    ASSERT_TRUE(FindFacesInPicture(sideways.c_str(), DecodeStop(), &turned));
    ASSERT_EQ(upright.size(), 2u);
    ASSERT_EQ(turned.size(), 2u);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_GT(Overlap(upright[i], turned[i]), 0.8) << i;

    std::vector<FaceBox> alone, together[2];
    ASSERT_TRUE(FindFacesInPicture(Photo("bald_guys.jpg").c_str(), DecodeStop(), &alone));
    EXPECT_EQ(alone.size(), 24u);
    std::thread other(
        [&] { FindFacesInPicture(Photo("bald_guys.jpg").c_str(), DecodeStop(), &together[0]); });
    FindFacesInPicture(Photo("bald_guys.jpg").c_str(), DecodeStop(), &together[1]);
    other.join();
    for (const std::vector<FaceBox>& faces : together) {
        ASSERT_EQ(faces.size(), alone.size());
        for (size_t i = 0; i < faces.size(); ++i)
            EXPECT_EQ(faces[i].Left, alone[i].Left) << i;
    }

    std::vector<FaceBox> none = {FaceBox()};
    EXPECT_TRUE(FindFacesInPicture(Photo("dogs.jpg").c_str(), DecodeStop(), &none));
    EXPECT_TRUE(none.empty());
    EXPECT_FALSE(FindFacesInPicture(Photo("bald_guys.jpg").c_str(), DecodeStop{[] { return true; }}, &none));
}

namespace {

double BlueShare(const std::vector<uint32_t>& pixels) {
    const auto blue = std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) {
        return (p & 0xFF) > 200 && ((p >> 8) & 0xFF) < 60 && ((p >> 16) & 0xFF) < 60;
    });
    return pixels.empty() ? 1.0 : double(blue) / double(pixels.size());
}

} // namespace

// A tall photo whose people stand at its foot, under a blue sky: a kept shape's card cut at the 40 %
// line shows only the sky; framed by the faces found, it shows the people, cut from the pixels the
// search decoded. A person tagged without a box takes a face only where the picture shows one.
TEST(FaceFraming, AKeptShapeFollowsTheFacesFound) {
    const std::string tall = Make("tall.jpg", "convert '" + Photo("2008_001009.jpg") +
                                                  "' -background '#0000ff' -gravity south -extent 500x1600 "
                                                  "-quality 95 @");
    std::vector<uint32_t> plain, framed;
    ASSERT_TRUE(DecodePicture(tall.c_str(), 200, 150, PictureFit::KeepShape, &plain));
    EXPECT_GT(BlueShare(plain), 0.95);
    std::vector<FaceBox> faces;
    ASSERT_TRUE(FrameByFaces(tall.c_str(), PictureFit::KeepShape, false, 200, 150, DecodeStop(), false,
                             &faces, &framed));
    EXPECT_EQ(faces.size(), 2u);
    ASSERT_EQ(framed.size(), 200u * 150u);
    EXPECT_LT(BlueShare(framed), 0.3);

    const CardFraming one = FramedByFaces(PictureFit::Stretch, true, {faces[0]});
    EXPECT_TRUE(one.HasPerson);
    EXPECT_EQ(one.Person.Left, faces[0].Left);
    EXPECT_FALSE(FramedByFaces(PictureFit::Stretch, true, faces).HasPerson);
    EXPECT_FALSE(FramedByFaces(PictureFit::Stretch, false, {faces[0]}).HasPerson);
}
