#include "engine/PictureBatch.h"

#include <gtest/gtest.h>

#include "tests/unit/picture_fixtures.h"

namespace {

TEST(PictureBatch, PassesOverWhatDoesNotDecodeAndKeepsTheListOrder) {
    const std::string bad = WriteFile("bad.jpg", {0xFF, 0xD8, 0xFF});
    std::vector<std::string> paths = {testing::TempDir() + "missing.png", bad};
    for (int grey = 10; grey <= 60; grey += 10) {
        paths.push_back(WriteFile("grey" + std::to_string(grey) + ".jpg",
                                  JpegMaker(JCS_GRAYSCALE, JCS_GRAYSCALE).Make(16, 16, Solid({grey}))));
        paths.push_back(bad);
    }
    const struct { size_t Wanted; unsigned Threads; std::vector<int> Greys; } cases[] = {
        {3, 2, {10, 20, 30}}, {6, 3, {10, 20, 30, 40, 50, 60}}, {10, 2, {10, 20, 30, 40, 50, 60}}, {0, 2, {}}};
    for (const auto& c : cases) {
        std::vector<int> greys;
        for (const std::vector<uint32_t>& picture : DecodeFirstPictures(paths, c.Wanted, 4, 3, c.Threads)) {
            EXPECT_EQ(picture.size(), 12u);
            greys.push_back(int(picture[5] & 0xFF));
        }
        EXPECT_EQ(greys, c.Greys) << c.Wanted;
    }
    EXPECT_GE(DecodeThreadCount(), 2u);
}

} // namespace
