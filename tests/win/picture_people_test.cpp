#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "pictures/PictureInfo.h"
#include "tests/driver/Driver.h"

namespace {

void Write(const std::string& path, const std::string& text) {
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << text;
}

// A picture in a folder whose name takes more than ASCII, found by the game's narrow (UTF-8) path:
// its Adobe-named sidecar and Google's JSON beside it are found and read, a folder where the other
// sidecar would be is passed over.
TEST(PicturePeople, BesideAPictureInAFolderOfAnyScript) {
    const yw::TempFolder folder{" \xC5\x81\xC3\xB3"
                                "d\xC5\xBA \xE5\xAF\x8C\xE5\xA3\xAB"};
    const std::string picture = folder.File("Zo\xC3\xAB.jpg");
    ASSERT_TRUE(CopyFileW(yw::Wide(yw::ProgramFolder() + "\\test-pictures\\ff0000.jpg").c_str(),
                          yw::Wide(picture).c_str(), FALSE));
    Write(folder.File("Zo\xC3\xAB.xmp"),
          "<x:xmpmeta xmlns:x='adobe:ns:meta/'><rdf:RDF "
          "xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
          "<rdf:Description xmlns:MPRI='http://ns.microsoft.com/photo/1.2/t/RegionInfo#' "
          "xmlns:MPReg='http://ns.microsoft.com/photo/1.2/t/Region#'><MPRI:Regions><rdf:Bag><rdf:li "
          "MPReg:PersonDisplayName='Zo\xC3\xAB' MPReg:Rectangle='0.5, 0.25, 0.25, "
          "0.5'/></rdf:Bag></MPRI:Regions>"
          "</rdf:Description></rdf:RDF></x:xmpmeta>");
    Write(folder.File("Zo\xC3\xAB.jpg.supplemental-metadata.json"), "{\"people\":[{\"name\":\"Ann\"}]}");
    std::filesystem::create_directory(std::filesystem::u8path(folder.File("Zo\xC3\xAB.jpg.xmp")));
    const PictureInfo info = ReadPictureInfo(picture);
    ASSERT_EQ(info.People.size(), 2u);
    EXPECT_EQ(info.People[0].Name, "Zo\xC3\xAB");
    EXPECT_TRUE(info.People[0].HasBox);
    EXPECT_DOUBLE_EQ(info.People[0].Box.Left, 0.5);
    EXPECT_EQ(info.People[1].Name, "Ann");
}

// A TIFF's regions, read by the game's own reader in the Windows build, turn as the picture does:
// the stored top-left quarter (red) is the shown top-right one under orientation 6.
TEST(PicturePeople, ATiffsRegionsTurnWithIt) {
    const PictureInfo info = ReadPictureInfo(yw::ProgramFolder() + "\\wic-pictures\\people.tif");
    ASSERT_EQ(info.People.size(), 1u);
    EXPECT_EQ(info.People[0].Name, "Red");
    const FaceBox box = info.People[0].Box;
    EXPECT_NEAR(box.Left, 0.5, 1e-9);
    EXPECT_NEAR(box.Top, 0, 1e-9);
    EXPECT_NEAR(box.Width, 0.5, 1e-9);
    EXPECT_NEAR(box.Height, 0.5, 1e-9);
}

} // namespace
