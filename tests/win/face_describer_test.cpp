#include "pictures/FaceDescriber.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pictures/PictureDecoder.h"
#include "tests/driver/Driver.h"
#include "tests/unit/JohnDescriptor.h"

// The models beside the exe load, and the exe's own builds of dlib and the decoder (MinGW's) describe
// dlib's face chip as the native build does.
TEST(FaceDescriber, DescribesAFaceAsTheNativeBuildDoes) {
    ASSERT_TRUE(LoadFaceModels(FaceModelsFolder()));
    const std::string chip = yw::ProgramFolder() + "\\face-pictures\\john.jpg";
    std::vector<uint32_t> pixels;
    ASSERT_TRUE(DecodePicture(chip.c_str(), 300, 300, PictureFit::Stretch, &pixels));
    const auto described = DescribeFaces(pixels.data(), 300, 300, {JohnBox});
    ASSERT_TRUE(described[0].has_value());
    for (size_t i = 0; i < JohnDescriptor.size(); ++i)
        EXPECT_NEAR((*described[0])[i], JohnDescriptor[i], 1e-3) << i;
}
