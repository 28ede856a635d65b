#include "pictures/SystemCodecs.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> Own = {".jpg", ".jpeg", ".png", ".bmp", ".gif", ".webp"};

TEST(SystemCodecs, TakesTheSystemsOwnAndTheirNewExtensionsOnce) {
    const struct {
        const char* Kind;
        std::vector<SystemCodec> Codecs;
        std::vector<std::string> Extensions;
    } cases[] = {
        {"both separators, spaces, capitals",
         {{L"Microsoft", false, L".TIF;.tiff"}, {L"Microsoft", false, L".jxr, .wdp,.hdp"}},
         {".tif", ".tiff", ".jxr", ".wdp", ".hdp"}},
        {"the game's own formats and their other names",
         {{L"Microsoft", false, L".bmp,.dib,.rle"}, {L"Microsoft", false, L".jpg;.jpeg;.jfif"}},
         {".dib", ".rle", ".jfif"}},
        {"icons, cursors and textures",
         {{L"Microsoft", false, L".ico,.icon,.cur,.dds,.tga;.tpic"}},
         {".icon", ".tpic"}},
        {"duplicates across codecs",
         {{L"Microsoft", false, L".heic;.heif"}, {L"Microsoft", false, L".heif;.avif"}},
         {".heic", ".heif", ".avif"}},
        {"Wine's stand-ins, by the vendor", {{L"The Wine Project", true, L".tiff"}}, {".tiff"}},
        {"third parties", {{L"Some Vendor", false, L".xyz"}, {L"microsoft", false, L".abc"}}, {}},
        {"what the scan cannot match",
         {{L"Microsoft", false, L"tif;.;.t\u00eft;.a b;.x*;;.toolongextensionname"}},
         {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemCodecExtensions(c.Codecs, Own), c.Extensions) << c.Kind;
}

} // namespace
