#include "pictures/PictureDecoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <zlib.h>

#include "pictures/JpegDecoder.h"
#include "pictures/PictureInfo.h"
#include "pictures/PictureSize.h"
#include "tests/unit/MadeFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Read(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string Write(const std::string& name, const Bytes& bytes) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), long(bytes.size()));
    return path;
}

// The PNG chunk of the type, as the offset of its type; its CRC made right again by FixCrc.
size_t Chunk(const Bytes& png, const char* type) {
    return size_t(std::search(png.begin(), png.end(), type, type + 4) - png.begin());
}

void FixCrc(Bytes& png, size_t chunk) {
    const size_t length = size_t(png[chunk - 4]) << 24 | png[chunk - 3] << 16 | png[chunk - 2] << 8 | png[chunk - 1];
    const uLong crc = crc32(0, &png[chunk], uInt(length + 4));
    for (int i = 0; i < 4; ++i)
        png[chunk + 4 + length + size_t(i)] = uint8_t(crc >> (24 - 8 * i));
}

// A BMP of a header of 40 (or 12, the core header) bytes; extra (masks, palette) comes before the pixels.
Bytes Bmp(int header, int width, int height, int bits, uint32_t compression, const Bytes& extra,
          const Bytes& pixels, uint32_t colours = 0) {
    Bytes bmp = {'B', 'M'};
    const auto put = [&bmp](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp.push_back(uint8_t(value >> 8 * i));
    };
    const uint32_t at = uint32_t(14 + header + extra.size());
    put(at + uint32_t(pixels.size()), 4), put(0, 4), put(at, 4), put(uint32_t(header), 4);
    const int sizeBytes = header == 12 ? 2 : 4;
    put(uint32_t(width), sizeBytes), put(uint32_t(height), sizeBytes), put(1, 2), put(uint32_t(bits), 2);
    if (header == 40)
        put(compression, 4), put(uint32_t(pixels.size()), 4), put(0, 4), put(0, 4), put(colours, 4), put(0, 4);
    bmp.insert(bmp.end(), extra.begin(), extra.end());
    bmp.insert(bmp.end(), pixels.begin(), pixels.end());
    return bmp;
}

// A 3 by 2 grid of 16-pixel grey blocks, numbered 0..5 along the rows (grey 50 times the number).
const std::string kGrid =
    "convert -size 16x16 \\( xc:#000000 xc:#323232 xc:#646464 +append \\) \\( xc:#969696 "
    "xc:#c8c8c8 xc:#fafafa +append \\) -append -colorspace Gray -quality 100 jpg:@";

TEST(PictureDecoder, ShowsEachExifOrientationUpright) {
    const struct {
        int Orientation;
        const char* ByteOrder;
        int Width;
        std::vector<int> Blocks;
    } cases[] = {{1, "II", 3, {0, 1, 2, 3, 4, 5}}, {2, "II", 3, {2, 1, 0, 5, 4, 3}},
                 {3, "II", 3, {5, 4, 3, 2, 1, 0}}, {4, "II", 3, {3, 4, 5, 0, 1, 2}},
                 {5, "II", 2, {0, 3, 1, 4, 2, 5}}, {6, "II", 2, {3, 0, 4, 1, 5, 2}},
                 {7, "II", 2, {5, 2, 4, 1, 3, 0}}, {8, "MM", 2, {2, 5, 1, 4, 0, 3}},
                 {6, "MM", 2, {3, 0, 4, 1, 5, 2}}, {9, "II", 3, {0, 1, 2, 3, 4, 5}}};
    for (const auto& c : cases) {
        const std::string grid =
            Make("grid.jpg", kGrid + " && exiftool -n -ExifByteOrder=" + c.ByteOrder +
                                 " -Orientation=" + std::to_string(c.Orientation) + " -overwrite_original @");
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(DecodePicture(grid.c_str(), c.Width, 6 / c.Width, PictureFit::Stretch, &pixels));
        std::vector<int> blocks;
        for (uint32_t pixel : pixels)
            blocks.push_back(int(((pixel & 0xFF) + 25) / 50));
        EXPECT_EQ(blocks, c.Blocks) << c.Orientation << c.ByteOrder;
    }
}

// Every file is named .jpg: the decoder goes by content. Decoded to 1 by 2, giving the colours of the
// top and bottom halves. (Damaged copies are the fuzz target's, whose findings the test below replays.)
TEST(PictureDecoder, GivesTheColoursOfEachKindOfFile) {
    // Left half red, right half transparent: pink on white; top and bottom halves of two colours.
    const std::string pink = "-size 20x30 xc:red -size 20x30 xc:none +append +repage";
    const std::string halves = "\\( -size 40x15 xc:#00FF00 -size 40x15 xc:#FF00FF -append +repage \\)";
    const struct {
        const char* Kind;
        std::string Make;
        uint32_t Colour;
        int64_t Bottom = -1; // the same as the top
    } cases[] = {
        {"baseline", "convert -size 40x30 xc:#FF8000 -quality 100 jpg:@", 0xFF8000},
        {"progressive exif",
         "convert -size 40x30 xc:#0080FF -interlace JPEG -quality 100 jpg:@ && exiftool -n "
         "-Orientation=6 -overwrite_original @",
         0x0080FF},
        {"cmyk", "convert -size 40x30 xc:#BF5F00 -colorspace CMYK -quality 100 jpg:@", 0xBF5F00},
        {"png 16-bit", "convert -size 40x30 xc:#40C0FF -depth 16 png48:@", 0x40C0FF},
        {"png alpha", "convert -size 40x30 'xc:rgba(0,0,255,0.5)' png32:@", 0x7F7FFF},
        {"png palette trns", "convert " + pink + " png8:@", 0xFF8080},
        {"png grey alpha", "convert -size 40x30 'xc:graya(20%,0.5)' -type GrayscaleAlpha png:@", 0x999999},
        {"png interlaced", "convert " + halves + " -interlace PNG png24:@", 0x00FF00, 0xFF00FF},
        {"gif transparent", "convert " + pink + " gif:@", 0xFF8080},
        {"gif animated interlaced", "convert " + halves + " -size 40x30 xc:blue -interlace GIF gif:@", 0x00FF00,
         0xFF00FF},
        {"gif frame placed", "convert -size 40x15 xc:#00FF00 -page 40x30+0+15 gif:@", 0xFFFFFF, 0x00FF00},
        {"webp alpha", "convert " + pink + " -quality 100 -define webp:use-sharp-yuv=true webp:@", 0xFF8080},
        {"webp animated",
         "convert \\( " + pink + " \\) -size 40x30 xc:blue -loop 0 -define webp:lossless=true webp:@",
         0xFF8080},
        {"bmp v5 alpha", "convert -size 40x30 'xc:rgba(0,0,255,0.5)' bmp:@", 0x7F7FFF},
        {"bmp 8-bit", "convert -size 40x30 gradient:#0AC81E-#0AC8FF -colors 200 -compress None bmp3:@", 0x0AC854,
         0x0AC8C9},
        {"heic", "convert " + halves + " png24:@.png && heif-enc -L -p chroma=444 -o @ @.png", 0x00FF00, 0xFF00FF},
        {"heic alpha", "convert " + pink + " png32:@.png && heif-enc -L -p chroma=444 -o @ @.png", 0xFF8080}};
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(DecodePicture(Make("colour.jpg", c.Make).c_str(), 1, 2, PictureFit::Stretch, &pixels))
            << c.Kind;
        ASSERT_EQ(pixels.size(), 2u) << c.Kind;
        for (int shift : {16, 8, 0}) {
            EXPECT_NEAR(int(pixels[0] >> shift & 0xFF), int(c.Colour >> shift & 0xFF), 4) << c.Kind << shift;
            const uint32_t bottom = c.Bottom < 0 ? c.Colour : uint32_t(c.Bottom);
            EXPECT_NEAR(int(pixels[1] >> shift & 0xFF), int(bottom >> shift & 0xFF), 4) << c.Kind << shift;
        }
    }
}

TEST(PictureDecoder, RefusesWhatIsNotAWholeBoundedPicture) {
    const Bytes good = Read(Make("good.jpg", "convert -size 64x48 gradient:red-blue -quality 90 jpg:@"));
    const Bytes progressive =
        Read(Make("p.jpg", "convert -size 64x64 gradient:red-blue -interlace JPEG jpg:@"));
    const Bytes bmp = Read(Make("good.bmp", "convert -size 5x5 xc:#010203 bmp3:@"));
    Bytes hugeJpeg = progressive;
    const uint8_t frame[] = {0xFF, 0xC2};
    // 65535 by 65535.
    std::fill_n(std::search(hugeJpeg.begin(), hugeJpeg.end(), frame, frame + 2) + 5, 4, 0xFF);
    // 30000 by 30000, its CRC right: refused before libpng is asked for the pixels.
    Bytes bigPng = Read(Make("big.png", "convert -size 8x8 xc:#010203 png24:@"));
    for (size_t at : {Chunk(bigPng, "IHDR") + 6, Chunk(bigPng, "IHDR") + 10})
        std::copy_n("\x75\x30", 2, bigPng.begin() + long(at));
    FixCrc(bigPng, Chunk(bigPng, "IHDR"));
    Bytes badZlib = Read(Make("noise.png", "convert -seed 1 -size 64x48 plasma: png24:@"));
    std::fill_n(badZlib.begin() + long(Chunk(badZlib, "IDAT") + 40), 16, 0xFF);
    FixCrc(badZlib, Chunk(badZlib, "IDAT"));
    const Bytes webp = Read(Make("w.webp", "convert -seed 1 -size 64x48 plasma: webp:@"));
    Bytes hugeGif = Read(Make("g.gif", "convert -seed 1 -size 64x48 plasma: gif:@"));
    Bytes badLzw = hugeGif;
    std::fill_n(hugeGif.begin() + 6, 4, 0xFF); // a screen of 65535 by 65535
    // The image data after the descriptor (10 bytes), the global palette's end and the code size.
    const uint8_t descriptor[] = {0x2C, 0, 0, 0, 0, 64, 0, 48, 0};
    std::fill_n(std::search(badLzw.begin(), badLzw.end(), descriptor, descriptor + 9) + 12, 40, 0xFF);
    const struct {
        const char* Kind;
        std::string Path;
    } cases[] = {
        {"empty", Write("empty.jpg", {})},
        {"truncated in its data", Write("cut1.jpg", Bytes(good.begin(), good.end() - 100))},
        {"truncated progressive", Write("cut2.jpg", Bytes(progressive.begin(), progressive.end() - 40))},
        {"truncated bmp", Write("cut.bmp", Bytes(bmp.begin(), bmp.end() - 3))},
        {"missing", testing::TempDir() + "no such file.jpg"},
        {"folder", testing::TempDir()},
        {"absurd jpeg", Write("huge.jpg", hugeJpeg)},
        {"png of 30000 by 30000", Write("big.png", bigPng)},
        {"png with a corrupt zlib stream", Write("zlib.png", badZlib)},
        {"truncated webp", Write("cut.webp", Bytes(webp.begin(), webp.end() - long(webp.size() / 3)))},
        {"absurd gif", Write("huge.gif", hugeGif)},
        {"gif with garbage lzw codes", Write("lzw.gif", badLzw)},
        {"bmp rle cut short", Write("rle.bmp", Bmp(40, 1, 1, 8, 1, {}, {1, 0}))},
        {"bmp height INT_MIN", Write("min.bmp", Bmp(40, 1, INT_MIN, 24, 0, {}, {0, 0, 0, 0}))}};
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels;
        EXPECT_FALSE(DecodePicture(c.Path.c_str(), 8, 8, PictureFit::Stretch, &pixels)) << c.Kind;
    }
}

// Hand-made 2 by 2 files (RLE4 4 by 2) of what ImageMagick does not write, each read at its own size.
TEST(PictureDecoder, ReadsEachBmpLayoutInDisplayOrder) {
    const Bytes redGreen = {0, 0, 255, 0, 0, 255, 0, 0}; // a palette of two
    const struct {
        const char* Kind;
        Bytes File;
        std::vector<uint32_t> Pixels; // top row first
    } cases[] = {
        {"core, bottom-up", Bmp(12, 2, 2, 24, 0, {}, {255, 0, 0, 255, 255, 255, 0, 0, 0, 0, 255, 0, 255, 0, 0, 0}),
         {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}},
        {"top-down", Bmp(40, 2, -2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0}),
         {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}},
        {"5-5-5", Bmp(40, 2, 2, 16, 0, {}, {0x1F, 0, 0xFF, 0x7F, 0, 0x7C, 0xE0, 0x03}),
         {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}},
        {"10-bit fields", Bmp(40, 2, 2, 32, 3, {0, 0, 0xF0, 0x3F, 0, 0xFC, 0x0F, 0, 0xFF, 3, 0, 0},
                              {0, 0, 0xF0, 0x3F, 0, 0, 8, 0, 0xFF, 3, 0, 0, 0, 0, 0, 0}),
         {0x0000FF, 0, 0xFF0000, 0x008000}},
        {"indices past the palette", Bmp(40, 2, 2, 8, 0, redGreen, {2, 255, 0, 0, 0, 1, 0, 0}),
         {0xFF0000, 0x00FF00, 0, 0}},
        {"past the colours claimed", Bmp(40, 2, 2, 8, 0, redGreen, {1, 1, 0, 0, 0, 1, 0, 0}, 1),
         {0xFF0000, 0, 0, 0}},
        {"32-bit, alpha nought", Bmp(40, 2, 2, 32, 0, {}, {255, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 1, 1, 1, 0}),
         {0x00FF00, 0x010101, 0x0000FF, 0xFF0000}},
        {"32-bit alpha", Bmp(40, 2, 2, 32, 0, {}, {255, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 128, 0, 0, 0, 255}),
         {0x7FFF7F, 0, 0x0000FF, 0xFFFFFF}},
        // A run of five over a row of two, a move, three indices from the second column, the end.
        {"rle8", Bmp(40, 2, 2, 8, 1, redGreen, {5, 1, 0, 0, 0, 2, 1, 0, 0, 3, 0, 1, 1, 0, 0, 1}),
         {0, 0xFF0000, 0x00FF00, 0x00FF00}},
        {"rle4", Bmp(40, 4, 2, 4, 2, {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0},
                           {2, 0x12, 0, 2, 1, 0, 0, 3, 0x31, 0x20, 0, 0, 9, 0x21, 0, 1}, 4),
         {0x00FF00, 0xFF0000, 0x00FF00, 0xFF0000, 0xFF0000, 0x00FF00, 0, 0x0000FF}}};
    for (const auto& c : cases) {
        const int width = int(c.Pixels.size() / 2);
        std::vector<uint32_t> pixels;
        ASSERT_TRUE(
            DecodePicture(Write("layout.bmp", c.File).c_str(), width, 2, PictureFit::Stretch, &pixels))
            << c.Kind;
        EXPECT_EQ(pixels, c.Pixels) << c.Kind;
    }
}

// Every input the fuzz target found crashing or hanging, down each of its reads: ASan and UBSan
// watch them.
TEST(PictureDecoder, SurvivesTheFuzzersFindings) {
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(YW_FUZZ_REGRESSIONS)) {
        const std::string path = entry.path().string();
        std::vector<uint32_t> pixels;
        DecodePicture(path.c_str(), 131, 98, PictureFit::Stretch, &pixels);
        const Bytes bytes = Read(path);
        int width = 0;
        int height = 0;
        PictureSizeOfData(bytes.data(), bytes.size(), &width, &height);
        ReadPictureInfo(path);
        ++files;
    }
    EXPECT_GT(files, 0);
}

// A progressive JPEG of 1000 scans is a picture, one more is not (the numbers written out, so a
// limit raised in the code fails here): whether the decode reads every scan (a card larger than 1/8
// of the picture) or only the DC ones and the rest's markers.
TEST(PictureDecoder, RefusesAJpegOfMoreThanMaxScans) {
    const std::string base = Make("scans.jpg", "convert -seed 1 -size 160x120 plasma: -interlace JPEG jpg:@");
    for (const int scans : {1000, 1001, 300000}) {
        const std::string path = Make("many.jpg", std::string("python3 ") + YW_MANY_SCANS + " '" + base + "' @ " +
                                                      std::to_string(scans));
        for (const int width : {16, 80}) {
            std::vector<uint32_t> pixels;
            EXPECT_EQ(DecodePicture(path.c_str(), width, width * 3 / 4, PictureFit::Stretch, &pixels),
                      scans == 1000)
                << scans << " scans, " << width;
        }
    }
}

} // namespace
