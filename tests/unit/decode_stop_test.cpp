#include "pictures/DecodeStop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "pictures/PictureDecoder.h"

namespace {

// A stop asked part-way ends every kind of decode as "not a picture"; what the decode held is
// freed (the sanitizers' leak check fails the run otherwise). Each picture is 320 rows of noise,
// decoded at its own size, so no reduced decode skips rows.
TEST(DecodeStop, EndsEachKindOfDecodePartWay) {
    const std::string noise = "convert -seed 2 -size 240x320 plasma: ";
    const struct {
        const char* Kind;
        std::string Options;
    } cases[] = {{"jpeg", "jpg:"},  {"progressive jpeg", "-interlace JPEG jpg:"},
                 {"png", "png24:"}, {"interlaced png", "-interlace PNG png24:"},
                 {"gif", "gif:"},   {"webp", "-quality 95 webp:"},
                 {"bmp", "bmp3:"},  {"rle bmp", "-colors 16 -compress RLE bmp3:"}};
    for (const auto& c : cases) {
        const std::string path = testing::TempDir() + "stop-" + std::to_string(&c - cases);
        ASSERT_EQ(std::system((noise + c.Options + "'" + path + "'").c_str()), 0) << c.Kind;
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(DecodePicture(path.c_str(), 240, 320, PictureFit::Stretch, &pixels)) << c.Kind;
        for (const int yes : {1, 3}) {
            int asked = 0;
            const DecodeStop stop{[&] { return ++asked >= yes; }};
            pixels.clear();
            EXPECT_FALSE(DecodePicture(path.c_str(), 240, 320, PictureFit::Stretch, &pixels, stop))
                << c.Kind << " stopped at " << yes;
            EXPECT_EQ(asked, yes) << c.Kind << ": asked on after the stop, or never";
            EXPECT_TRUE(pixels.empty()) << c.Kind;
        }
    }
}

} // namespace
