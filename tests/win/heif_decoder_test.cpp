#include "pictures/PictureDecoder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/driver/Driver.h"

namespace {

std::string HeifPicture(const char* name) {
    return yw::ProgramFolder() + "\\heif-pictures\\" + name;
}

// The pixels at the centres of a decode's four quadrants, top-left first, each as R(ed), G(reen),
// B(lue), Y(ellow) or ? for anything else.
std::string Quadrants(const std::string& path, int width, int height) {
    std::vector<uint32_t> pixels;
    if (!DecodePicture(path.c_str(), width, height, &pixels))
        return "no picture";
    std::string quadrants;
    for (const int y : {height / 4, height * 3 / 4}) {
        for (const int x : {width / 4, width * 3 / 4}) {
            const uint32_t pixel = pixels[size_t(y) * size_t(width) + size_t(x)];
            const bool red = (pixel >> 16 & 0xFF) > 200, green = (pixel >> 8 & 0xFF) > 200,
                       blue = (pixel & 0xFF) > 200, dark = (pixel & 0xFF) < 60;
            quadrants += red && !green && dark ? 'R' : !red && green && dark ? 'G' : !red && !green && blue ? 'B'
                         : red && green && dark                              ? 'Y'
                                                                             : '?';
        }
    }
    return quadrants;
}

} // namespace

// Made at build time: red, green, blue and yellow quadrants of 640x480 with a 320x240 thumbnail;
// the second from a JPEG that EXIF orientation 6 says to turn, which a HEIF reader leaves alone.
// The third, made here, turns the second's primary 90 degrees clockwise with an irot box, as a
// phone does (EXIF saying the same), and leaves its thumbnail unturned.
TEST(HeifDecoder, ShowsPhotosUprightAtThumbnailAndPrimarySizes) {
    std::ifstream file(HeifPicture("exif-turned.heic"), std::ios::binary);
    std::string turned((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const size_t pixi = turned.find("pixi");
    ASSERT_NE(pixi, std::string::npos);
    turned.replace(pixi, 5, std::string("irot\x03", 5));
    std::ofstream(HeifPicture("irot-turned.heic"), std::ios::binary) << turned;

    const struct {
        const char* Name;
        int Width, Height;
        const char* Quadrants;
    } cases[] = {{"quadrants.heic", 64, 48, "RGBY"},     {"quadrants.heic", 320, 240, "RGBY"},
                 {"quadrants.heic", 400, 300, "RGBY"},   {"exif-turned.heic", 64, 48, "RGBY"},
                 {"irot-turned.heic", 48, 64, "BRYG"},   {"irot-turned.heic", 64, 48, "BRYG"},
                 {"irot-turned.heic", 480, 640, "BRYG"}};
    for (const auto& c : cases)
        EXPECT_EQ(Quadrants(HeifPicture(c.Name), c.Width, c.Height), c.Quadrants)
            << c.Name << " at " << c.Width << "x" << c.Height;
}
