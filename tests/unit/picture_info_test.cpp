#include "pictures/PictureInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "pictures/PictureFacts.h"
#include "tests/unit/MadeFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

const std::string Tag = " && exiftool -q -overwrite_original ";

// A small JPEG with one more APP1 segment, holding payload, right after its start.
std::string JpegWithApp1(const std::string& name, const std::string& payload) {
    const std::string path = Make(name, "convert -size 8x8 xc:red jpg:@");
    std::ifstream in(path, std::ios::binary);
    const Bytes jpeg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t length = payload.size() + 2;
    Bytes out = {0xFF, 0xD8, 0xFF, 0xE1, uint8_t(length >> 8), uint8_t(length)};
    out.insert(out.end(), payload.begin(), payload.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()), long(out.size()));
    return path;
}

// "Exif\0\0" and a little-endian TIFF whose first directory holds one entry (tag, type, count) with
// the value at offset, then data at offset 26 of the TIFF.
std::string Exif(uint16_t tag, uint16_t type, uint32_t count, uint32_t offset, const std::string& data) {
    std::string tiff("II*\0\x08\0\0\0\x01\0", 10);
    for (const uint32_t value : {uint32_t(tag) | uint32_t(type) << 16, count, offset, 0u})
        for (int i = 0; i < 4; ++i)
            tiff += char(value >> (8 * i));
    return std::string("Exif\0\0", 6) + tiff + data;
}

const std::string XmpMark("http://ns.adobe.com/xap/1.0/\0", 29);

TEST(PictureInfo, ReadsTheNameAndDateWhereverThePictureKeepsThem) {
    const std::string longTitle(100000, 'a');
    { std::ofstream(testing::TempDir() + "long-title.txt") << longTitle; }
    // UTF-16LE of "Ab" then a lone high surrogate.
    const std::string brokenUtf16("A\0b\0\x01\xD8\0\0", 8);
    const struct {
        const char* Name;
        std::string Path;
        std::string Title;
        std::string Taken;
    } cases[] = {
        {"XMP title only", Make("xmp.jpg", "convert -size 8x8 xc:red jpg:@" + Tag + "-XMP-dc:Title=Grandma @"),
         "Grandma", ""},
        {"XPTitle only", Make("xp.jpg", "convert -size 8x8 xc:red jpg:@" + Tag + "-XPTitle=Picnic @"), "Picnic", ""},
        {"both", Make("both.jpg", "convert -size 8x8 xc:red jpg:@" + Tag + "-XMP-dc:Title=Xmp -XPTitle=Xp @"), "Xmp",
         ""},
        {"a camera's placeholder",
         Make("camera.jpg", "convert -size 8x8 xc:red jpg:@" + Tag + "'-ImageDescription=OLYMPUS DIGITAL CAMERA   ' @"),
         "", ""},
        {"a description", Make("lake.jpg", "convert -size 8x8 xc:red jpg:@" + Tag + "'-ImageDescription= Lake ' @"),
         "Lake", ""},
        {"Polish in a PNG's XMP, its date in eXIf",
         Make("pl.png", "convert -size 8x8 xc:red PNG24:@" + Tag +
                            "'-XMP-dc:Title=Zażółć gęślą jaźń' '-EXIF:DateTimeOriginal=2019:07:14 10:00:00' @"),
         "Zażółć gęślą jaźń", "2019-07-14"},
        {"Japanese XPTitle in a WebP, the date in its XMP",
         Make("ja.webp", "convert -size 8x8 xc:red @" + Tag +
                             "-XPTitle=富士山 '-XMP-exif:DateTimeOriginal=2018:03:02 08:00:00' @"),
         "富士山", "2018-03-02"},
        {"a HEIC's Exif and XMP items",
         Make("items.heic", "convert -size 64x48 xc:red PNG24:@.png && heif-enc -o @ @.png" + Tag +
                                "-XMP-dc:Title=Heic '-EXIF:DateTimeOriginal=2020:01:02 03:04:05' @"),
         "Heic", "2020-01-02"},
        {"a title of 100,000 characters",
         Make("long.png", "convert -size 8x8 xc:red PNG24:@" + Tag + "'-XMP-dc:Title<=" + testing::TempDir() +
                              "long-title.txt' @"),
         std::string(MaxTitleBytes, 'a'), ""},
        {"broken UTF-16", JpegWithApp1("utf16.jpg", Exif(0x9C9B, 1, 8, 26, brokenUtf16)), "", ""},
        {"an offset outside the segment", JpegWithApp1("outside.jpg", Exif(0x9C9B, 1, 8, 60000, brokenUtf16)), "",
         ""},
        {"entity declarations",
         JpegWithApp1("entity.jpg", XmpMark + "<!DOCTYPE x [<!ENTITY t \"Boom\">]><x:xmpmeta xmlns:x='adobe:ns:meta/'>"
                                              "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
                                              "<rdf:Description xmlns:dc='http://purl.org/dc/elements/1.1/'><dc:title>"
                                              "<rdf:Alt><rdf:li xml:lang='x-default'>&t;</rdf:li></rdf:Alt></dc:title>"
                                              "</rdf:Description></rdf:RDF></x:xmpmeta>"),
         "", ""},
        {"the other language when none is the default",
         JpegWithApp1("lang.jpg", XmpMark + "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
                                            "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'><rdf:Description "
                                            "xmlns:dc='http://purl.org/dc/elements/1.1/' "
                                            "xmlns:photoshop='http://ns.adobe.com/photoshop/1.0/' "
                                            "photoshop:DateCreated='2017-12-24'><dc:title><rdf:Alt><rdf:li "
                                            "xml:lang='de'>Oma</rdf:li></rdf:Alt></dc:title></rdf:Description>"
                                            "</rdf:RDF></x:xmpmeta>"),
         "Oma", "2017-12-24"},
        {"a malformed EXIF date, a valid XMP one",
         Make("feb30.jpg", "convert -size 8x8 xc:red jpg:@" + Tag +
                               "'-EXIF:DateTimeOriginal=2019:02:30 10:00:00' '-XMP-photoshop:DateCreated=2016:05:06' @"),
         "", "2016-05-06"},
    };
    for (const auto& c : cases) {
        const PictureInfo info = ReadPictureInfo(c.Path);
        EXPECT_EQ(info.Title, c.Title) << c.Name;
        EXPECT_EQ(info.Taken, c.Taken) << c.Name;
    }
}

} // namespace
