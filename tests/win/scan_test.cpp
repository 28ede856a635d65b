// The picture scan on folders made by the test.
#include <gtest/gtest.h>

#include <fstream>

#include "app/ScanPictures.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "tests/driver/Driver.h"

TEST(ScanPictures, PatternsInOrderAndAMissingFolder) {
    yw::TempFolder folder;
    // Only files whose own extension is a picture's: not a folder named like one, nor names that
    // "*.jpg" finds through their 8.3 alias.
    for (const char* name :
         {"f.webp", "e.GIF", "d.bmp", "c.png", "b.JPEG", "a.jpg", "notes.txt", "a.jpg.txt", "y.jpgold", "b.pngx"})
        std::ofstream(folder.File(name)) << "x";
    CreateDirectoryA(folder.File("x.jpg").c_str(), nullptr);
    const std::vector<std::string> all = {folder.File("a.jpg"), folder.File("b.JPEG"), folder.File("c.png"),
                                          folder.File("d.bmp"), folder.File("e.GIF"), folder.File("f.webp")};
    for (const std::string& path : {folder.Path(), folder.File("absent")}) {
        CopyPathText(PicturePath, path.c_str());
        PictureList.clear();
        ScanPictures();
        EXPECT_EQ(PictureList, path == folder.Path() ? all : std::vector<std::string>()) << path;
    }
    PictureList.clear();
}
