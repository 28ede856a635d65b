#include "pictures/PictureFaces.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "pictures/FaceDescriber.h"
#include "tests/unit/JohnDescriptor.h"
#include "tests/unit/MadeFile.h"

namespace {

// A dlib chip on a grey field, its face in the middle of the left half, with the exiftool
// arguments that follow.
std::string Photo(const std::string& name, const std::string& tags) {
    return Make(name, "convert -size 600x300 xc:gray \\( '" + std::string(YW_DLIB_SHARE) + "/johns/" +
                          JohnChip + "' -resize 300x300 \\) -gravity west -composite jpg:@" +
                          (tags.empty() ? "" : " && exiftool -q -overwrite_original " + tags + " @"));
}

} // namespace

// A tag's box round the found face (looser than the finder's) names it; a box where none was found
// is a face of its own; a name without a box names the one face; a stop ends the read.
TEST(PictureFaces, TagsJoinTheFacesFound) {
    ASSERT_TRUE(LoadFaceModels(FaceModelsFolder()));
    const std::string tagged =
        Photo("tagged.jpg",
              "'-XMP-mwg-rs:RegionInfo={RegionList=[{Area={X=0.25,Y=0.5,W=0.5,H=0.95,Unit=normalized},"
              "Name=John,Type=Face},{Area={X=0.8,Y=0.2,W=0.1,H=0.2,Unit=normalized},Name=Hat,Type=Face}]}'");
    std::vector<IndexedFace> faces;
    ASSERT_TRUE(ReadPictureFaces(tagged.c_str(), DecodeStop(), &faces));
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_EQ(faces[0].Tag, "John");
    EXPECT_LT(faces[0].Box.Width, 0.45);
    ASSERT_TRUE(faces[0].Descriptor.has_value());
    EXPECT_LT(SquaredDistanceWithin(*faces[0].Descriptor, JohnDescriptor, 1),
              SamePersonDistance * SamePersonDistance);
    EXPECT_EQ(faces[1].Tag, "Hat");
    EXPECT_NEAR(faces[1].Box.Left, 0.75, 1e-3);
    EXPECT_TRUE(faces[1].Descriptor.has_value());

    const std::string named = Photo("named.jpg", "-XMP-iptcExt:PersonInImage=Jack");
    ASSERT_TRUE(ReadPictureFaces(named.c_str(), DecodeStop(), &faces));
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0].Tag, "Jack");
    const std::string plain = Photo("plain.jpg", "");
    ASSERT_TRUE(ReadPictureFaces(plain.c_str(), DecodeStop(), &faces));
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_FALSE(faces[0].Tag.has_value());

    EXPECT_FALSE(ReadPictureFaces(tagged.c_str(), DecodeStop{[] { return true; }}, &faces));
    EXPECT_TRUE(faces.empty());
}
