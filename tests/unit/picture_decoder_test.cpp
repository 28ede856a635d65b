#include "engine/PictureDecoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <random>

#include <jpeglib.h>

#include "engine/JpegDecoder.h"
#include "engine/PictureBatch.h"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include "stb_image_write.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Sample = std::function<int(int x, int y, int component)>;

Sample Solid(std::vector<int> components) {
    return [components](int, int, int c) { return components[size_t(c)]; };
}

// A JPEG made by libjpeg at quality 100, stored as `stored` from grey, RGB or (for CMYK and YCCK)
// Adobe-inverted CMYK samples.
Bytes MakeJpeg(int width, int height, const Sample& sample, J_COLOR_SPACE stored = JCS_YCbCr,
               bool progressive = false, const Bytes& app1 = {}) {
    const J_COLOR_SPACE given = stored == JCS_YCbCr ? JCS_RGB : stored == JCS_YCCK ? JCS_CMYK : stored;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &out, &size);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    const int components = info.input_components = given == JCS_GRAYSCALE ? 1 : given == JCS_CMYK ? 4 : 3;
    info.in_color_space = given;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, stored);
    jpeg_set_quality(&info, 100, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (!app1.empty())
        jpeg_write_marker(&info, JPEG_APP0 + 1, app1.data(), unsigned(app1.size()));
    std::vector<JSAMPLE> row(size_t(width) * components);
    for (JSAMPROW rows[] = {row.data()}; info.next_scanline < info.image_height;) {
        for (size_t i = 0; i < row.size(); ++i)
            row[i] = JSAMPLE(sample(int(i) / components, int(info.next_scanline), int(i) % components));
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    const Bytes bytes(out, out + size);
    std::free(out);
    return bytes;
}

Bytes Repeat(const Bytes& unit, size_t times) {
    Bytes bytes;
    while (times-- > 0)
        bytes.insert(bytes.end(), unit.begin(), unit.end());
    return bytes;
}

void Put32(Bytes* bytes, size_t at, uint32_t value) {
    for (size_t i = 0; i < 4; ++i)
        (*bytes)[at + i] = uint8_t(value >> (24 - 8 * i));
}

// A one-colour PNG by stb_image_write, unfiltered, its header then rewritten: 16-bit `depth` reads
// each two bytes as one sample, and `claimed` makes a header claiming far more pixels than follow.
Bytes MakePng(int width, int height, int channels, const Bytes& pixel, uint8_t depth = 8,
              uint32_t claimed = 0) {
    stbi_write_force_png_filter = 0;
    int size = 0;
    unsigned char* written =
        stbi_write_png_to_mem(Repeat(pixel, size_t(width * height)).data(), 0,
                              width * int(pixel.size()) / channels, height, channels, &size);
    Bytes png(written, written + size);
    std::free(written);
    Put32(&png, 16, claimed != 0 ? claimed : uint32_t(width));
    Put32(&png, 20, claimed != 0 ? claimed : uint32_t(height));
    png[24] = depth;
    Put32(&png, 29, stbiw__crc32(&png[12], 17));
    return png;
}

Bytes MakeBmp(int width, int height, const Bytes& pixel) {
    const auto append = [](void* to, void* data, int size) {
        static_cast<Bytes*>(to)->insert(static_cast<Bytes*>(to)->end(), (uint8_t*)data,
                                        (uint8_t*)data + size);
    };
    Bytes bmp;
    stbi_write_bmp_to_func(append, &bmp, width, height, int(pixel.size()),
                           Repeat(pixel, size_t(width * height)).data());
    return bmp;
}

std::string WriteFile(const std::string& name, const Bytes& bytes) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    return path;
}

// An APP1 payload holding only an EXIF orientation, in either byte order.
Bytes Exif(int orientation, bool bigEndian) {
    const uint8_t o = uint8_t(orientation);
    return bigEndian ? Bytes{'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,
                             1,   18,  0,   3,   0, 0, 0,   1,   0, o,  0, 0, 0, 0, 0, 0}
                     : Bytes{'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
                             18,  1,   3,   0,   1, 0, 0,   0,   o,  0, 0, 0, 0, 0, 0, 0};
}

// A 3 by 2 grid of 16-pixel grey blocks, numbered 0..5 along the rows, shown as the EXIF data says.
TEST(PictureDecoder, ShowsEachExifOrientationUpright) {
    const struct {
        int Orientation;
        bool BigEndian;
        int Width;
        std::vector<int> Blocks;
    } cases[] = {{1, false, 3, {0, 1, 2, 3, 4, 5}}, {2, false, 3, {2, 1, 0, 5, 4, 3}},
                 {3, false, 3, {5, 4, 3, 2, 1, 0}}, {4, false, 3, {3, 4, 5, 0, 1, 2}},
                 {5, false, 2, {0, 3, 1, 4, 2, 5}}, {6, false, 2, {3, 0, 4, 1, 5, 2}},
                 {7, false, 2, {5, 2, 4, 1, 3, 0}}, {8, false, 2, {2, 5, 1, 4, 0, 3}},
                 {6, true, 2, {3, 0, 4, 1, 5, 2}},  {9, false, 3, {0, 1, 2, 3, 4, 5}}};
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels;
        const Bytes grid = MakeJpeg(
            48, 32, [](int x, int y, int) { return (y / 16 * 3 + x / 16) * 50; }, JCS_GRAYSCALE, false,
            Exif(c.Orientation, c.BigEndian));
        ASSERT_TRUE(DecodePicture(WriteFile("grid.jpg", grid).c_str(), c.Width, 6 / c.Width, &pixels));
        std::vector<int> blocks;
        for (uint32_t pixel : pixels)
            blocks.push_back(int(((pixel & 0xFF) + 25) / 50));
        EXPECT_EQ(blocks, c.Blocks) << c.Orientation;
    }
}

TEST(PictureDecoder, DecodesJpegsAtTheSmallestDctScaleCoveringTheCard) {
    const struct {
        int ImageWidth, ImageHeight, Width, Height, Eighths;
    } cases[] = {{4000, 3000, 131, 98, 1},  {4000, 3000, 500, 375, 1}, {4000, 3000, 501, 100, 2},
                 {4000, 3000, 100, 751, 4}, {4000, 3000, 2001, 10, 8}, {100, 100, 13, 13, 1},
                 {100, 100, 14, 13, 2},     {50, 40, 800, 600, 8}};
    for (const auto& c : cases)
        EXPECT_EQ(JpegScaleEighths(c.ImageWidth, c.ImageHeight, c.Width, c.Height), c.Eighths) << c.Width;
}

// Every file is named .jpg: the decoder goes by content. Damaged copies of each (cut short, or with
// a few bytes changed) may decode or not, but must not crash.
TEST(PictureDecoder, GivesTheColoursOfEachKindOfFileAndSurvivesDamagedCopies) {
    const Sample ink = Solid({255, 127, 0, 191}); // Adobe-inverted C0 M128 Y255 K64
    const struct {
        const char* Kind;
        Bytes File;
        uint32_t Colour;
    } cases[] = {
        {"baseline", MakeJpeg(40, 30, Solid({255, 128, 0})), 0xFF8000},
        {"progressive", MakeJpeg(40, 30, Solid({0, 128, 255}), JCS_YCbCr, true, Exif(6, false)), 0x0080FF},
        {"grey", MakeJpeg(40, 30, Solid({128}), JCS_GRAYSCALE), 0x808080},
        {"cmyk", MakeJpeg(40, 30, ink, JCS_CMYK), 0xBF5F00},
        {"ycck", MakeJpeg(40, 30, ink, JCS_YCCK), 0xBF5F00},
        {"png 16-bit", MakePng(40, 30, 3, {0x40, 0x10, 0xC0, 0x20, 0xFF, 0xFF}, 16), 0x40C0FF},
        {"png alpha", MakePng(40, 30, 4, {0, 0, 255, 128}), 0x7F7FFF},
        {"bmp 24-bit", MakeBmp(40, 30, {10, 200, 30}), 0x0AC81E},
        {"bmp 32-bit", MakeBmp(40, 30, {10, 200, 30, 255}), 0x0AC81E}};
    std::mt19937 random(7);
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(DecodePicture(WriteFile("colour.jpg", c.File).c_str(), 5, 4, &pixels)) << c.Kind;
        ASSERT_EQ(pixels.size(), 20u) << c.Kind;
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(int(pixels[7] >> shift & 0xFF), int(c.Colour >> shift & 0xFF), 4) << c.Kind << shift;
        for (int round = 0; round < 400; ++round) {
            Bytes damaged = c.File;
            if (round % 4 == 0)
                damaged.resize(random() % damaged.size());
            for (int flips = round % 4; flips > 0; --flips)
                damaged[random() % damaged.size()] ^= uint8_t(1 + random() % 255);
            if (DecodePicture(WriteFile("damaged.jpg", damaged).c_str(), 7, 5, &pixels)) {
                EXPECT_EQ(pixels.size(), 35u) << c.Kind;
            }
        }
    }
}

TEST(PictureDecoder, RefusesWhatIsNotAWholeBoundedPicture) {
    const Bytes good = MakeJpeg(64, 48, [](int x, int y, int c) { return x * y + c * 40; });
    const Bytes bmp = MakeBmp(5, 5, {1, 2, 3});
    const Bytes progressive = MakeJpeg(
        64, 64, [](int x, int y, int c) { return x * y + c; }, JCS_YCbCr, true);
    Bytes huge = progressive;
    const uint8_t frame[] = {0xFF, 0xC2};
    std::fill_n(std::search(huge.begin(), huge.end(), frame, frame + 2) + 5, 4, 0xFF); // 65535 by 65535
    const struct {
        const char* Kind;
        std::string Path;
    } cases[] = {
        {"empty", WriteFile("empty.jpg", {})},
        {"truncated", WriteFile("truncated.jpg", Bytes(good.begin(), good.begin() + long(good.size() / 2)))},
        {"truncated progressive", WriteFile("cut.jpg", Bytes(progressive.begin(), progressive.end() - 40))},
        {"truncated bmp", WriteFile("truncated.bmp", Bytes(bmp.begin(), bmp.end() - 3))},
        {"corrupt", WriteFile("corrupt.jpg", {0xFF, 0xD8, 0xFF, 0xC0, 0, 3, 1, 2, 3, 4, 5, 6, 7})},
        {"missing", testing::TempDir() + "no such file.jpg"},
        {"folder", testing::TempDir()},
        {"absurd jpeg", WriteFile("huge.jpg", huge)},
        {"absurd png", WriteFile("huge.png", MakePng(8, 8, 4, {1, 2, 3, 4}, 8, 100000))}};
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels;
        EXPECT_FALSE(DecodePicture(c.Path.c_str(), 8, 8, &pixels)) << c.Kind;
    }
}

TEST(PictureBatch, PassesOverWhatDoesNotDecodeAndKeepsTheListOrder) {
    const std::string bad = WriteFile("bad.jpg", {0xFF, 0xD8, 0xFF});
    std::vector<std::string> paths = {testing::TempDir() + "missing.png"};
    for (int grey = 10; grey <= 60; grey += 10)
        paths.insert(paths.end(), {bad, WriteFile(std::to_string(grey) + ".jpg",
                                                  MakeJpeg(16, 16, Solid({grey}), JCS_GRAYSCALE))});
    const struct {
        size_t Wanted;
        unsigned Threads;
        std::vector<int> Greys;
    } cases[] = {{3, 2, {10, 20, 30}},
                 {6, 3, {10, 20, 30, 40, 50, 60}},
                 {10, 2, {10, 20, 30, 40, 50, 60}},
                 {0, 2, {}}};
    for (const auto& c : cases) {
        std::vector<int> greys;
        for (const std::vector<uint32_t>& picture : DecodeFirstPictures(paths, c.Wanted, 4, 3, c.Threads))
            greys.push_back(picture.size() == 12 ? int(picture[5] & 0xFF) : -1);
        EXPECT_EQ(greys, c.Greys) << c.Wanted;
    }
    EXPECT_GE(DecodeThreadCount(), 2u);
}

} // namespace
