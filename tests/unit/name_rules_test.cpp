#include "game/NameRules.h"

#include <gtest/gtest.h>

#include "game/PairChoice.h"

// A file name a device gave names nobody; a title always names, and neither keeps its " (n)".
TEST(NameRules, DeviceNamesCopyNumbersAndTitles) {
    const struct {
        const char* Title;
        const char* Stem;
        const char* Name;
    } cases[] = {
        {"", "IMG_1234", ""},
        {"", "IMG-20231224-WA0001", ""},
        {"", "img_20231224_101010", ""},
        {"", "DSC01234", ""},
        {"", "DSCN1234", ""},
        {"", "PXL_20231224_101010123", ""},
        {"", "20231224_101010", ""},
        {"", "WhatsApp Image 2023-12-24 at 10.10.10", ""},
        {"", "Screenshot 2023-12-24 101010", ""},
        {"", "Screenshot_20231224-101010", ""},
        {"", "0042", ""},
        {"", "IMG_1234 (2)", ""},
        {"", "Grandma (2)", "Grandma"},
        {"", "Grandma (two)", "Grandma (two)"},
        {"", "Imgard", "Imgard"},
        {"", "Pia 2019", "Pia 2019"},
        {"", "Łucja", "Łucja"},
        {"", "おばあちゃん (1)", "おばあちゃん"},
        {"Grandma", "IMG_1234", "Grandma"},
        {"12", "IMG_1234", "12"},
        {"  ", "Anna", "Anna"},
        {"Opa (3)", "x", "Opa"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PairName(c.Title, c.Stem), c.Name) << c.Title << " / " << c.Stem;
}

// Names equal apart from case in Polish and Greek meet; the case of Japanese, which has none, and
// different letters do not.
TEST(NameRules, NamesComparedApartFromCase) {
    EXPECT_EQ(NameKey("ŁUCJA ŻÓŁW"), NameKey("łucja żółw"));
    EXPECT_EQ(NameKey("ΓΙΑΓΙΑ"), NameKey("γιαγια"));
    EXPECT_EQ(NameKey("БАБУШКА"), NameKey("бабушка"));
    EXPECT_NE(NameKey("Lucja"), NameKey("Łucja"));
    EXPECT_NE(NameKey("おばあちゃん"), NameKey("オバアチャン"));
    EXPECT_EQ(Utf8Of(Utf16("日本 𝄞 Łódź")), "日本 𝄞 Łódź");
}

// Which entries a deal draws from, by kind: names alike apart from case never twice; two of one
// name only for names with two pictures, their first two.
TEST(PairChoice, EntriesByKind) {
    const std::vector<std::string> names = {"Anna", "", "anna", "Bo", "Cy", "ANNA", "Cy", "bo"};
    const struct {
        PairKind Kind;
        std::vector<size_t> Entries;
    } cases[] = {
        {PairKind::Twins, {0, 1, 2, 3, 4, 5, 6, 7}},
        {PairKind::PictureAndName, {0, 3, 4}},
        {PairKind::TwoOfOneName, {0, 2, 3, 7, 4, 6}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PairableEntries(names, c.Kind), c.Entries) << int(c.Kind);
    EXPECT_EQ(PairsOfEntries(6, PairKind::TwoOfOneName), 3u);
    EXPECT_EQ(PairKindOf(2), PairKind::TwoOfOneName);
    EXPECT_EQ(PairKindOf(3), PairKind::Twins);
    EXPECT_EQ(PairKindOf(0xFFFFFFFFul), PairKind::Twins);
}
