// The picture scan on folders made by the test.
#include <gtest/gtest.h>

#include "app/ScanPictures.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "tests/driver/Driver.h"

namespace {

TEST(ScanPictures, PatternsInOrderAndAMissingFolder) {
    yw::TempFolder folder;
    for (const char* name : {"d.bmp", "c.png", "b.jpeg", "a.jpg", "notes.txt", "a.jpg.txt"})
        yw::WriteBytes(folder.File(name), "x");
    const struct {
        std::string Folder;
        std::vector<std::string> Found;
    } cases[] = {
        {folder.Path(), {folder.File("a.jpg"), folder.File("b.jpeg"), folder.File("c.png"), folder.File("d.bmp")}},
        {folder.File("absent"), {}},
    };
    for (const auto& c : cases) {
        CopyPathText(PicturePath, c.Folder.c_str());
        PictureList.clear();
        ScanPictures();
        EXPECT_EQ(PictureList, c.Found) << c.Folder;
    }
    PictureList.clear();
}

} // namespace
