#include "rules/CardSpeech.h"
#include "rules/CardTitles.h"

#include <gtest/gtest.h>

// A picture's title is its file name, whatever the folder and however many dots it has.
TEST(CardNames, TitleIsTheFileNameWithoutExtension) {
    const char* cases[][2] = {{"C:\\Fotos\\Beach.jpg", "Beach"},     {"C:\\a.b\\Mt. Fuji.jpeg", "Mt. Fuji"},
                              {"Z:/tmp/ff0000.png", "ff0000"},       {"C:\\x\\.jpg", ".jpg"},
                              {"C:\\F\xC3\xB3tos\\\xC5\x81\xC3\xB3" "d\xC5\xBA.bmp", "\xC5\x81\xC3\xB3" "d\xC5\xBA"}};
    for (const auto& c : cases)
        EXPECT_EQ(PictureTitle(c[0]), c[1]);
}

// A translation's words: its inserts in any order, with or without a format spec, never read past
// the inserts given.
TEST(CardNames, PatternsTakeTheirInsertsInAnyOrder) {
    const char* cases[][2] = {{"Zeile %1!d!, Spalte %2!d!: %3", "Zeile 4, Spalte 2: B"},
                              {"%3 (%2/%1)", "B (2/4)"},
                              {"100%% %1%4!s!.", "100% 4."},
                              {"%0 %a %", "%0 %a %"}};
    for (const auto& c : cases)
        EXPECT_EQ(FillPattern(c[0], {"4", "2", "B"}), c[1]);
    const CardWords german = {"Zeile %1!d!, Spalte %2!d!: %3", "verdeckt", "kein Bild", "%1, gefunden"};
    EXPECT_EQ(CardName({1, 3}, CardFace::Found, "Strand", german), "Zeile 4, Spalte 2: Strand, gefunden");
    EXPECT_EQ(CardName({0, 0}, CardFace::Down, "Strand", german), "Zeile 1, Spalte 1: verdeckt");
    EXPECT_EQ(CardName({2, 0}, CardFace::Found, "", {}, "Ann"), "Row 1, column 3: no picture, found by Ann");
    EXPECT_EQ(CardName({0, 1}, CardFace::Down, "Strand", {}, "", true), "Row 2, column 1: face down, turned before");
    EXPECT_EQ(CardName({0, 1}, CardFace::Up, "Oma", {}, "", true), "Row 2, column 1: Oma, turned before");
}
