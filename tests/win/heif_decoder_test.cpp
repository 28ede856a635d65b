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
    if (!DecodePicture(path.c_str(), width, height, PictureFit::Stretch, &pixels))
        return "no picture";
    std::string quadrants;
    for (const int y : {height / 4, height * 3 / 4}) {
        for (const int x : {width / 4, width * 3 / 4}) {
            const uint32_t pixel = pixels[size_t(y) * size_t(width) + size_t(x)];
            const bool red = (pixel >> 16 & 0xFF) > 200, green = (pixel >> 8 & 0xFF) > 200,
                       blue = (pixel & 0xFF) > 200, dark = (pixel & 0xFF) < 60;
            quadrants += red && !green && dark    ? 'R'
                         : !red && green && dark  ? 'G'
                         : !red && !green && blue ? 'B'
                         : red && green && dark   ? 'Y'
                                                  : '?';
        }
    }
    return quadrants;
}

// A copy of the build-time HEIC `from`, written as `name`, whose first box of the type (the primary
// image's) is overwritten from its type on with the bytes.
std::string Patched(const char* from, const char* name, const std::string& box, const std::string& bytes) {
    std::ifstream file(HeifPicture(from), std::ios::binary);
    std::string heic((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const size_t at = heic.find(box);
    EXPECT_NE(at, std::string::npos) << box;
    if (at != std::string::npos)
        heic.replace(at, bytes.size(), bytes);
    std::ofstream(HeifPicture(name), std::ios::binary) << heic;
    return name;
}

} // namespace

// Made at build time: red, green, blue and yellow quadrants of 640x480 with a 320x240 thumbnail;
// the second from a JPEG that EXIF orientation 6 says to turn, which a HEIF reader leaves alone.
// Made here: the second's primary turned 90 degrees clockwise by an irot box in place of its pixi,
// as a phone does (EXIF saying the same), its thumbnail left unturned; and a primary claiming
// 8064x6048, more than a decode may take, whose thumbnail still serves a small card.
TEST(HeifDecoder, ShowsPhotosUprightAtThumbnailAndPrimarySizes) {
    const std::string turned =
        Patched("exif-turned.heic", "irot-turned.heic", "pixi", std::string("irot\x03", 5));
    const std::string huge = Patched("quadrants.heic", "huge.heic", "ispe",
                                     std::string("ispe\0\0\0\0\0\0\x1F\x80\0\0\x17\xA0", 16));
    const struct {
        std::string Name;
        int Width, Height;
        const char* Quadrants;
    } cases[] = {{"quadrants.heic", 64, 48, "RGBY"},
                 {"quadrants.heic", 400, 300, "RGBY"},
                 {"exif-turned.heic", 64, 48, "RGBY"},
                 {turned, 48, 64, "BRYG"},
                 {turned, 480, 640, "BRYG"},
                 {huge, 64, 48, "RGBY"},
                 {huge, 400, 300, "no picture"}};
    for (const auto& c : cases)
        EXPECT_EQ(Quadrants(HeifPicture(c.Name.c_str()), c.Width, c.Height), c.Quadrants)
            << c.Name << " at " << c.Width << "x" << c.Height;
}
