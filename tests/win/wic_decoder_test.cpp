// TIFFs read through Windows' own codecs, upright. (What start-up adds to the scan from their list,
// the TIFF journey finds.)
#include <gtest/gtest.h>

#include "pictures/PictureDecoder.h"
#include "pictures/PictureInfo.h"
#include "tests/driver/Driver.h"

namespace {

// Red, lime, blue and yellow quarters (left to right, top to bottom as stored), turned by the tag
// each file is named by; decoded to 2 by 2, each quarter one pixel.
TEST(WicDecoder, TiffsShowUprightByTheirOrientationTag) {
    const uint32_t r = 0xFF0000, g = 0x00FF00, b = 0x0000FF, y = 0xFFFF00;
    const struct {
        const char* Name;
        std::vector<uint32_t> Shown;
    } cases[] = {{"LZW-TopLeft", {r, g, b, y}},
                 {"LZW-RightTop", {b, r, y, g}},
                 {"None-LeftBottom", {g, y, r, b}},
                 {"None-BottomRight", {y, b, g, r}}};
    for (const auto& c : cases) {
        const std::string path = yw::ProgramFolder() + "\\wic-pictures\\quarters-" + c.Name + ".tif";
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(DecodePicture(path.c_str(), 2, 2, PictureFit::Stretch, &pixels)) << c.Name;
        EXPECT_EQ(pixels, c.Shown) << c.Name;
        // A stop already asked for ends it before the codec's host is troubled.
        int asked = 0;
        EXPECT_FALSE(DecodePicture(path.c_str(), 2, 2, PictureFit::Stretch, &pixels,
                                   DecodeStop{[&] { return ++asked > 0; }}));
        EXPECT_EQ(asked, 1) << c.Name;
    }
}

// The title of a TIFF through the codec's metadata query reader: its XPTitle before its
// ImageDescription. (Wine's reader does not follow the path into the EXIF directory, where the date
// taken is, so the date is not asked here.)
TEST(WicDecoder, ReadsATiffsTitle) {
    EXPECT_EQ(ReadPictureInfo(yw::ProgramFolder() + "\\wic-pictures\\titled.tif").Title, "Quarters");
}

} // namespace
