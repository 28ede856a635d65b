// The picture scan on folders made by the test.
#include <gtest/gtest.h>

#include <fstream>

#include "app/ScanPictures.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "tests/driver/Driver.h"

TEST(ScanPictures, PatternsInOrderAndAMissingFolder) {
    yw::TempFolder folder;
    for (const char* name : {"d.bmp", "c.png", "b.jpeg", "a.jpg", "notes.txt", "a.jpg.txt"})
        std::ofstream(folder.File(name)) << "x";
    const std::vector<std::string> all = {folder.File("a.jpg"), folder.File("b.jpeg"), folder.File("c.png"),
                                          folder.File("d.bmp")};
    for (const std::string& path : {folder.Path(), folder.File("absent")}) {
        CopyPathText(PicturePath, path.c_str());
        PictureList.clear();
        ScanPictures();
        EXPECT_EQ(PictureList, path == folder.Path() ? all : std::vector<std::string>()) << path;
    }
    PictureList.clear();
}
