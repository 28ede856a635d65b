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

// A small TIFF whose first directory names itself as the next: the damage that once crashed a
// system codec's metadata reader.
std::string TiffLoopingBack(const std::string& name) {
    const std::string path =
        Make(name, "convert -size 8x8 xc:red -compress None @.tif" + Tag + "-XPTitle=Loop @.tif && mv @.tif @");
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    Bytes tiff((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto number = [&](size_t at, int bytes) {
        uint32_t value = 0;
        for (int i = bytes - 1; i >= 0; --i)
            value = value << 8 | tiff[at + size_t(i)];
        return value;
    };
    const uint32_t first = number(4, 4);
    const size_t next = first + 2 + 12 * number(first, 2);
    file.seekp(long(next));
    const char self[4] = {char(first), char(first >> 8), char(first >> 16), char(first >> 24)};
    file.write(self, 4);
    return path;
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
        {"a TIFF's XMP (its tag 700) and EXIF date, read without a system codec",
         Make("titled.tif", "convert -size 8x8 xc:red -compress LZW tif:@" + Tag +
                                "-XMP-dc:Title=Tiff -XPTitle=Xp '-EXIF:DateTimeOriginal=2021:06:07 08:09:10' @"),
         "Tiff", "2021-06-07"},
        {"a big-endian TIFF's XPTitle",
         Make("motorola.tif", "convert -size 8x8 xc:red -endian MSB tif:@" + Tag + "-XPTitle=Motorola @"),
         "Motorola", ""},
        {"a TIFF whose directory loops back on itself", TiffLoopingBack("loop.jpg"), "Loop", ""},
    };
    for (const auto& c : cases) {
        const PictureInfo info = ReadPictureInfo(c.Path);
        EXPECT_EQ(info.Title, c.Title) << c.Name;
        EXPECT_EQ(info.Taken, c.Taken) << c.Name;
    }
}

} // namespace
