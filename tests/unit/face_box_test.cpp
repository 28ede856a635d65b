#include "pictures/FaceBox.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "pictures/PictureScale.h"

// A box marked on the stored pixels of a 10 x 6 picture lands, once the picture is turned upright
// for each orientation, exactly where ShownBox puts it.
TEST(FaceBox, ABoxOnTheStoredPixelsTurnsWithThePicture) {
    const int width = 10, height = 6;
    const FaceBox stored = {0.2, 0.5, 0.3, 1.0 / 3};
    std::vector<uint32_t> pixels(size_t(width) * height, 0);
    for (int y = 3; y < 5; ++y)
        for (int x = 2; x < 5; ++x)
            pixels[size_t(y) * width + x] = 1;
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const bool turned = orientation >= 5;
        const int shownWidth = turned ? height : width, shownHeight = turned ? width : height;
        const std::vector<uint32_t> shown = Upright(pixels, width, height, orientation);
        const FaceBox box = ShownBox(stored, orientation);
        for (int y = 0; y < shownHeight; ++y)
            for (int x = 0; x < shownWidth; ++x) {
                const bool inside = x >= std::lround(box.Left * shownWidth) &&
                                    x < std::lround((box.Left + box.Width) * shownWidth) &&
                                    y >= std::lround(box.Top * shownHeight) &&
                                    y < std::lround((box.Top + box.Height) * shownHeight);
                EXPECT_EQ(shown[size_t(y) * shownWidth + x], inside ? 1u : 0u)
                    << "orientation " << orientation << " at " << x << "," << y;
            }
    }
}

// A phone held upright stores its picture on its side (orientation 6, turned clockwise to show):
// a face near the stored picture's top-left shows near the top-right.
TEST(FaceBox, APortraitFromAPhoneShowsItsFaceTopRight) {
    const FaceBox box = ShownBox({0.1, 0.2, 0.2, 0.3}, 6);
    EXPECT_NEAR(box.Left, 0.5, 1e-9);
    EXPECT_NEAR(box.Top, 0.1, 1e-9);
    EXPECT_NEAR(box.Width, 0.3, 1e-9);
    EXPECT_NEAR(box.Height, 0.2, 1e-9);
}

TEST(FaceBox, OnlyABoxWithASizeInsideThePictureIsSound) {
    FaceBox sound;
    ASSERT_TRUE(SoundBox({-0.1, 0.9, 0.3, 0.5}, &sound));
    EXPECT_NEAR(sound.Left, 0, 1e-12);
    EXPECT_NEAR(sound.Width, 0.2, 1e-12);
    EXPECT_NEAR(sound.Height, 0.1, 1e-12);
    const double nan = std::nan("");
    const FaceBox unsound[] = {{nan, 0, 0.1, 0.1}, {0, 0, INFINITY, 0.1}, {0.5, 0.5, 0, 0.1},
                               {0.5, 0.5, -0.2, 0.1}, {1.2, 0.5, 0.1, 0.1}, {0.5, -3, 0.1, 0.1}};
    for (const FaceBox& box : unsound)
        EXPECT_FALSE(SoundBox(box, &sound)) << box.Left << " " << box.Top << " " << box.Width;
}
