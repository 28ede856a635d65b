// The picture scan on folders made by the test.
#include <gtest/gtest.h>

#include <set>

#include "app/ScanPictures.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "tests/win/WinTestSupport.h"

namespace {

class ScanTest : public testing::Test {
protected:
    void Touch(const std::string& name) const { WriteBytes(folder.File(name), "x"); }
    void Scan(const std::string& path) const {
        CopyPathText(PicturePath, path.c_str());
        PictureList.clear();
        ScanPictures();
    }

    ScopedSettingsKey settings;
    ScopedTempFolder folder;
};

TEST_F(ScanTest, PatternsAreSearchedInOrderWhateverTheCase) {
    Touch("d.bmp");
    Touch("c.png");
    Touch("b.jpeg");
    Touch("a.jpg");
    Touch("E.JPG");
    Touch("notes.txt");
    Touch("picture.jpg.txt");
    Scan(folder.Path());
    ASSERT_EQ(PictureList.size(), 5u);
    // All matches of one pattern come before the next pattern's, in the order given.
    EXPECT_EQ(PictureList[2], folder.File("b.jpeg"));
    EXPECT_EQ(PictureList[3], folder.File("c.png"));
    EXPECT_EQ(PictureList[4], folder.File("d.bmp"));
    const std::set<std::string> jpegs = {PictureList[0], PictureList[1]};
    EXPECT_EQ(jpegs, (std::set<std::string>{folder.File("a.jpg"), folder.File("E.JPG")}));
}

TEST_F(ScanTest, SubFoldersNamedLikePicturesCount) {
    for (int i = 0; i < 17; ++i)
        Touch("p" + std::to_string(i) + ".jpg");
    Scan(folder.Path());
    EXPECT_EQ(PictureList.size(), 17u);
    ASSERT_TRUE(CreateDirectoryA(folder.File("album.png").c_str(), nullptr));
    Scan(folder.Path());
    EXPECT_EQ(PictureList.size(), MinPictures);
}

TEST_F(ScanTest, FullNamesGetOneSeparatorAfterTheFolderText) {
    Touch("one.bmp");
    Scan(folder.Path() + "\\");
    ASSERT_EQ(PictureList.size(), 1u);
    EXPECT_EQ(PictureList[0], folder.Path() + "\\\\one.bmp");
}

TEST_F(ScanTest, MissingOrUnsearchableFoldersAddNothing) {
    Scan(folder.File("absent"));
    EXPECT_TRUE(PictureList.empty());
    Scan("Where Do You Want to Go?");
    EXPECT_TRUE(PictureList.empty());
    Scan(std::string(300, 'z')); // the search text itself is cut
    EXPECT_TRUE(PictureList.empty());
}

TEST_F(ScanTest, AScanAppendsToWhatTheListHolds) {
    Touch("a.jpg");
    CopyPathText(PicturePath, folder.Path().c_str());
    ScanPictures();
    ScanPictures();
    // Emptying the list between scans is start-up's business; the scan itself only appends.
    EXPECT_EQ(PictureList.size(), 2u);
}

} // namespace
