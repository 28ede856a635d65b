#include "engine/PictureDecoder.h"

#include <gtest/gtest.h>

#include <random>

#include "engine/JpegDecoder.h"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "tests/unit/picture_fixtures.h"

namespace {

// A 3 by 2 grid of 16-pixel grey blocks, numbered 0..5 along the rows, with an EXIF orientation.
Bytes GridJpeg(int orientation, bool bigEndian) {
    JpegMaker maker{JCS_GRAYSCALE, JCS_GRAYSCALE};
    const uint8_t o = uint8_t(orientation);
    maker.App1 = bigEndian ? Bytes{'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,
                                   1, 18, 0, 3, 0, 0, 0, 1, 0, o, 0, 0, 0, 0, 0, 0}
                           : Bytes{'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                                   18, 1, 3, 0, 1, 0, 0, 0, o, 0, 0, 0, 0, 0, 0, 0};
    return maker.Make(48, 32, [](int x, int y, int) { return (y / 16 * 3 + x / 16) * 50; });
}

TEST(PictureDecoder, ShowsEachExifOrientationUpright) {
    const struct { int Orientation; bool BigEndian; int Width; std::vector<int> Blocks; } cases[] = {
        {1, false, 3, {0, 1, 2, 3, 4, 5}}, {2, false, 3, {2, 1, 0, 5, 4, 3}}, {3, false, 3, {5, 4, 3, 2, 1, 0}},
        {4, false, 3, {3, 4, 5, 0, 1, 2}}, {5, false, 2, {0, 3, 1, 4, 2, 5}}, {6, false, 2, {3, 0, 4, 1, 5, 2}},
        {7, false, 2, {5, 2, 4, 1, 3, 0}}, {8, false, 2, {2, 5, 1, 4, 0, 3}}, {6, true, 2, {3, 0, 4, 1, 5, 2}},
        {9, false, 3, {0, 1, 2, 3, 4, 5}}};
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(DecodePicture(WriteFile("grid.jpg", GridJpeg(c.Orientation, c.BigEndian)).c_str(), c.Width,
                                  6 / c.Width, &pixels));
        std::vector<int> blocks;
        for (uint32_t pixel : pixels)
            blocks.push_back(int(((pixel & 0xFF) + 25) / 50));
        EXPECT_EQ(blocks, c.Blocks) << c.Orientation;
    }
}

TEST(PictureDecoder, DecodesJpegsAtTheSmallestDctScaleCoveringTheCard) {
    const struct { int ImageWidth, ImageHeight, Width, Height, Eighths; } cases[] = {
        {4000, 3000, 131, 98, 1},  {4000, 3000, 500, 375, 1}, {4000, 3000, 501, 100, 2}, {4000, 3000, 100, 751, 4},
        {4000, 3000, 2001, 10, 8}, {100, 100, 13, 13, 1},     {100, 100, 14, 13, 2},     {50, 40, 800, 600, 8}};
    for (const auto& c : cases)
        EXPECT_EQ(JpegScaleEighths(c.ImageWidth, c.ImageHeight, c.Width, c.Height), c.Eighths) << c.Width;
}

// Every file is named .jpg: the decoder goes by content.
TEST(PictureDecoder, GivesTheColoursOfEachKindOfFile) {
    const Sample ink = Solid({255, 127, 0, 191}); // Adobe-inverted C0 M128 Y255 K64
    const struct { const char* Kind; Bytes File; uint32_t Colour; } cases[] = {
        {"baseline", JpegMaker().Make(40, 30, Solid({255, 128, 0})), 0xFF8000},
        {"progressive", JpegMaker(JCS_RGB, JCS_YCbCr, true).Make(40, 30, Solid({0, 128, 255})), 0x0080FF},
        {"grey", JpegMaker(JCS_GRAYSCALE, JCS_GRAYSCALE).Make(40, 30, Solid({128})), 0x808080},
        {"cmyk", JpegMaker(JCS_CMYK, JCS_CMYK).Make(40, 30, ink), 0xBF5F00},
        {"ycck", JpegMaker(JCS_CMYK, JCS_YCCK).Make(40, 30, ink), 0xBF5F00},
        {"png 16-bit", MakePng(40, 30, 16, 2, {0x40, 0x10, 0xC0, 0x20, 0xFF, 0xFF}), 0x40C0FF},
        {"png alpha", MakePng(40, 30, 8, 6, {0, 0, 255, 128}), 0x7F7FFF},
        {"png grey alpha", MakePng(40, 30, 8, 4, {0, 0}), 0xFFFFFF},
        {"bmp 24-bit", MakeBmp(40, 30, 3, {10, 200, 30}), 0x0AC81E},
        {"bmp 32-bit", MakeBmp(40, 30, 4, {10, 200, 30, 255}), 0x0AC81E}};
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(DecodePicture(WriteFile("colour.jpg", c.File).c_str(), 5, 4, &pixels)) << c.Kind;
        ASSERT_EQ(pixels.size(), 20u) << c.Kind;
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(int(pixels[7] >> shift & 0xFF), int(c.Colour >> shift & 0xFF), 4) << c.Kind << shift;
    }
}

TEST(PictureDecoder, RefusesWhatIsNotAWholeBoundedPicture) {
    const Bytes good = JpegMaker().Make(64, 48, [](int x, int y, int c) { return x * y + c * 40; });
    const Bytes bmp = MakeBmp(5, 5, 3, {1, 2, 3});
    Bytes huge = JpegMaker(JCS_RGB, JCS_YCbCr, true).Make(64, 48, Solid({1, 2, 3}));
    for (size_t i = 0; i + 9 < huge.size(); ++i) {
        if (huge[i] == 0xFF && huge[i + 1] == 0xC2)
            huge[i + 5] = huge[i + 6] = huge[i + 7] = huge[i + 8] = 0xFF; // 65535 by 65535
    }
    const struct { const char* Kind; std::string Path; } cases[] = {
        {"empty", WriteFile("empty.jpg", {})},
        {"truncated", WriteFile("truncated.jpg", Bytes(good.begin(), good.begin() + long(good.size() / 2)))},
        {"truncated bmp", WriteFile("truncated.bmp", Bytes(bmp.begin(), bmp.end() - 3))},
        {"corrupt", WriteFile("corrupt.jpg", {0xFF, 0xD8, 0xFF, 0xC0, 0, 3, 1, 2, 3, 4, 5, 6, 7})},
        {"text", WriteFile("text.png", {'h', 'e', 'l', 'l', 'o'})},
        {"missing", testing::TempDir() + "no such file.jpg"},
        {"folder", testing::TempDir()},
        {"absurd jpeg", WriteFile("huge.jpg", huge)},
        {"absurd png", WriteFile("huge.png", MakePng(100000, 100000, 8, 6, {1, 2, 3, 4}))}};
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels;
        EXPECT_FALSE(DecodePicture(c.Path.c_str(), 8, 8, &pixels)) << c.Kind;
    }
}

// Damaged copies of each kind of file: truncated, or with a few bytes changed. None may crash.
TEST(PictureDecoder, SurvivesDamagedFiles) {
    JpegMaker exif{JCS_RGB, JCS_YCbCr, true};
    exif.App1 = GridJpeg(6, false);
    exif.App1.resize(32);
    const Bytes originals[] = {exif.Make(24, 16, [](int x, int y, int c) { return x * 9 + y * c; }),
                               JpegMaker(JCS_CMYK, JCS_YCCK).Make(16, 16, Solid({1, 90, 180, 250})),
                               MakePng(9, 7, 16, 6, {1, 2, 3, 4, 5, 6, 7, 8}), MakeBmp(9, 7, 4, {1, 2, 3, 4})};
    std::mt19937 random(7);
    for (const Bytes& original : originals) {
        for (int round = 0; round < 1000; ++round) {
            Bytes damaged = original;
            if (round % 4 == 0)
                damaged.resize(random() % damaged.size());
            for (int flips = round % 4; flips > 0; --flips)
                damaged[random() % damaged.size()] ^= uint8_t(1 + random() % 255);
            std::vector<uint32_t> pixels;
            if (DecodePicture(WriteFile("damaged.jpg", damaged).c_str(), 7, 5, &pixels)) {
                EXPECT_EQ(pixels.size(), 35u);
            }
        }
    }
}

} // namespace
