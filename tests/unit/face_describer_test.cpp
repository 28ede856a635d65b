#include "pictures/FaceDescriber.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "pictures/FaceFinder.h"
#include "pictures/PictureDecoder.h"
#include "rules/PeopleGroups.h"
#include "tests/unit/JohnDescriptor.h"

namespace {

// Far above any two descriptors' distance, so the sum runs whole.
float Distance(const FaceDescriptor& a, const FaceDescriptor& b) {
    return std::sqrt(SquaredDistanceWithin(a, b, 1e9f));
}

// A chip of dlib's (150 px, the face aligned in its middle) at twice its size, where the finder,
// which finds faces of 80 px and more, finds its face as it would in a photo.
std::vector<uint32_t> Chip(const std::string& path) {
    std::vector<uint32_t> pixels;
    EXPECT_TRUE(DecodePicture(path.c_str(), 300, 300, PictureFit::Stretch, &pixels)) << path;
    return pixels;
}

} // namespace

// dlib's five Johns, eleven chips each, found and described as a picture's faces are: every face
// lies within the threshold of its own John's others, and the grouping makes each John one person
// of his faces alone. The figures are printed.
TEST(FaceDescriber, TheJohnsAreFivePeople) {
    ASSERT_TRUE(LoadFaceModels(FaceModelsFolder()));
    std::vector<std::filesystem::path> johns;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(YW_DLIB_SHARE) + "/johns"))
        johns.push_back(entry.path());
    std::sort(johns.begin(), johns.end());
    ASSERT_EQ(johns.size(), 5u);
    std::vector<Face> faces;
    std::vector<int> johnOf;
    for (size_t john = 0; john < johns.size(); ++john) {
        std::vector<std::filesystem::path> chips;
        for (const auto& entry : std::filesystem::directory_iterator(johns[john]))
            chips.push_back(entry.path());
        std::sort(chips.begin(), chips.end());
        for (const std::filesystem::path& chip : chips) {
            const std::vector<uint32_t> pixels = Chip(chip.string());
            const std::vector<FaceBox> found = FindFaces(pixels.data(), 300, 300);
            ASSERT_EQ(found.size(), 1u) << chip;
            const auto described = DescribeFaces(pixels.data(), 300, 300, found);
            ASSERT_TRUE(described[0].has_value()) << chip;
            faces.push_back({int64_t(faces.size() + 1), *described[0], "", int64_t(faces.size() + 1)});
            johnOf.push_back(int(john));
        }
    }
    float withinMin = 9, withinMax = 0, acrossMin = 9, acrossMax = 0;
    for (size_t a = 0; a < faces.size(); ++a)
        for (size_t b = a + 1; b < faces.size(); ++b) {
            const float distance = Distance(faces[a].Descriptor, faces[b].Descriptor);
            float& low = johnOf[a] == johnOf[b] ? withinMin : acrossMin;
            float& high = johnOf[a] == johnOf[b] ? withinMax : acrossMax;
            low = std::min(low, distance);
            high = std::max(high, distance);
        }
    std::printf("%zu faces of 5 Johns: within a John %.3f to %.3f apart, across Johns %.3f to %.3f\n",
                faces.size(), withinMin, withinMax, acrossMin, acrossMax);
    EXPECT_EQ(faces.size(), 55u);
    EXPECT_LT(withinMax, SamePersonDistance);

    People people;
    AddFaces(&people, faces);
    ASSERT_EQ(people.Persons.size(), 5u);
    std::map<int64_t, int> johnOfPerson;
    for (const KnownFace& face : people.Faces)
        EXPECT_EQ(johnOfPerson.emplace(face.Person, johnOf[size_t(face.Seen.Id - 1)]).first->second,
                  johnOf[size_t(face.Seen.Id - 1)])
            << face.Seen.Id;
    EXPECT_EQ(johnOfPerson.size(), 5u);
}

// The chip the Windows suite describes too gives the numbers measured here; a thread of its own
// (its own copy of the network) gives the same; a box that is no box, and pixels too large to
// hold, give none.
TEST(FaceDescriber, OneFaceTheSameOnEveryThreadAndNothingOfNoBox) {
    ASSERT_TRUE(LoadFaceModels(FaceModelsFolder()));
    EXPECT_TRUE(LoadFaceModels("no such folder"));
    const std::vector<uint32_t> pixels = Chip(std::string(YW_DLIB_SHARE) + "/johns/" + JohnChip);
    const auto described = DescribeFaces(pixels.data(), 300, 300, {JohnBox, FaceBox{0.5, 0.5, -1, 0.1}});
    ASSERT_EQ(described.size(), 2u);
    ASSERT_TRUE(described[0].has_value());
    EXPECT_FALSE(described[1].has_value());
    for (size_t i = 0; i < JohnDescriptor.size(); ++i)
        EXPECT_NEAR((*described[0])[i], JohnDescriptor[i], 1e-4) << i;
    std::optional<FaceDescriptor> other;
    std::thread([&] { other = DescribeFaces(pixels.data(), 300, 300, {JohnBox})[0]; }).join();
    ASSERT_TRUE(other.has_value());
    EXPECT_EQ(*other, *described[0]);
    EXPECT_FALSE(DescribeFaces(pixels.data(), 1 << 20, 1 << 20, {JohnBox})[0].has_value());
}
