#include "app/PictureExtensions.h"

#include <gtest/gtest.h>

namespace {

// Names a search for "*.jpg" returns under Windows: the long name decides, in any letter case.
TEST(PictureNames, OnlyTheExactExtensionCounts) {
    const struct {
        const char* Name;
        const char* Extension;
        bool Counts;
    } cases[] = {
        {"a.jpg", ".jpg", true},     {"HOLIDAY.JPG", ".jpg", true}, {"x.JpEg", ".jpeg", true},
        {"y.jpgold", ".jpg", false}, {"y.jpg.txt", ".jpg", false},  {"a.jpeg", ".jpg", false},
        {"pic.bmp", ".png", false},  {"jpg", ".jpg", false},        {"", ".bmp", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasPictureExtension(c.Name, c.Extension), c.Counts) << c.Name << " " << c.Extension;
}

} // namespace
