#include "rules/NameRules.h"

#include <gtest/gtest.h>

#include "rules/PairChoice.h"

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
    EXPECT_EQ(PairKindOf(3), PairKind::ThenAndNow);
    EXPECT_EQ(PairKindOf(4), PairKind::Twins);
    EXPECT_EQ(PairKindOf(0xFFFFFFFFul), PairKind::Twins);
}

// Names are read only as far as a board needs: a library of 10,000 named pictures is read in a
// first run for a board of 16 entries, one without names whole, and one where each name's second
// picture lies far from its first until two names have both.
TEST(PairChoice, NamesReadUntilEnough) {
    const auto library = [](size_t count, const std::function<EntryNames(size_t)>& name) {
        return [count, name](size_t from, size_t to, std::vector<EntryNames>* names) {
            EXPECT_EQ(names->size(), from);
            EXPECT_LE(to, count);
            for (size_t i = from; i < to; ++i)
                names->push_back(name(i));
        };
    };
    const auto own = [](size_t i) { return EntryNames{{"Name " + std::to_string(i)}, false, ""}; };
    EXPECT_EQ(NamesUntilEnough(10000, PairKind::PictureAndName, 16, library(10000, own)).size(), 64u);
    EXPECT_EQ(NamesUntilEnough(10000, PairKind::PictureAndName, 16,
                               library(10000, [](size_t) { return EntryNames(); }))
                  .size(),
              10000u);
    const auto far = [](size_t i) { return EntryNames{{"Name " + std::to_string(i % 500)}, false, ""}; };
    std::vector<std::string> candidates;
    CandidatesOfNames(NamesUntilEnough(10000, PairKind::TwoOfOneName, 4, library(10000, far)), &candidates);
    EXPECT_EQ(candidates.size(), 960u); // runs of 64, 128, 256 and 512
    EXPECT_EQ(PairableEntries(candidates, PairKind::TwoOfOneName).size(), 920u);
}

// A group photo gives each person it names a card of their own: three people in one picture are
// three of a board's names, and a second picture of one of them makes a pair of one name.
TEST(PairChoice, EachPersonOfAPictureIsACandidate) {
    const std::vector<EntryNames> names = {
        {{"Grandma", "Grandpa", "Baby"}, true, ""}, {}, {{"Birthday"}, false, ""}, {{"grandpa"}, true, ""}};
    std::vector<std::string> candidateNames;
    const std::vector<NameCandidate> candidates = CandidatesOfNames(names, &candidateNames);
    ASSERT_EQ(candidates.size(), 5u);
    EXPECT_EQ(candidates[2].Entry, 0u);
    EXPECT_EQ(candidates[2].Name, 2u);
    EXPECT_EQ(candidates[4].Entry, 3u);
    EXPECT_EQ(PairableEntries(candidateNames, PairKind::PictureAndName), (std::vector<size_t>{0, 1, 2, 3}));
    EXPECT_EQ(PairableEntries(candidateNames, PairKind::TwoOfOneName), (std::vector<size_t>{1, 4}));
    // Enough candidates stop the reading although the entries read are fewer than the board's.
    size_t reads = 0;
    const auto group = [&](size_t from, size_t to, std::vector<EntryNames>* read) {
        ++reads;
        for (size_t i = from; i < to; ++i)
            read->push_back(
                {{"A" + std::to_string(i), "B" + std::to_string(i), "C" + std::to_string(i)}, true, ""});
    };
    EXPECT_EQ(NamesUntilEnough(1000, PairKind::PictureAndName, 150, group).size(), 150u);
    EXPECT_EQ(reads, 1u);
}
