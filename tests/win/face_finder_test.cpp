#include "pictures/FaceFinder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/driver/Driver.h"

// dlib's photo of 24 bald men, 1986x1545, searched at 1028x800 as the game does: the faces the native
// build finds (tests/unit/face_finder_test.cpp), the two largest where it finds them. The exe's dlib
// and decoders are MinGW's own builds, so any difference of theirs would show here.
TEST(FaceFinder, FindsTheFacesTheNativeBuildFinds) {
    const std::string photo = yw::ProgramFolder() + "\\face-pictures\\bald_guys.jpg";
    std::vector<FaceBox> faces;
    ASSERT_TRUE(FindFacesInPicture(photo.c_str(), DecodeStop(), &faces));
    ASSERT_EQ(faces.size(), 24u);
    const FaceBox largest[] = {{0.737, 0.077, 0.147, 0.188}, {0.184, 0.530, 0.123, 0.157}};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(faces[i].Left, largest[i].Left, 0.002) << i;
        EXPECT_NEAR(faces[i].Top, largest[i].Top, 0.002) << i;
        EXPECT_NEAR(faces[i].Width, largest[i].Width, 0.002) << i;
        EXPECT_NEAR(faces[i].Height, largest[i].Height, 0.002) << i;
    }
}
