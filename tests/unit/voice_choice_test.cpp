// The recording that speaks for a found picture, chosen from its folder's names.
#include "rules/VoiceChoice.h"

#include <gtest/gtest.h>

namespace {

FolderEntry File(const char* name) {
    return FolderEntry{name, false};
}

FolderEntry Folder(const char* name) {
    return FolderEntry{name, true};
}

} // namespace

TEST(VoiceChoice, ThePicturesOwnNameThenThePersonsAmongTheFolder) {
    const struct {
        const char* Picture;
        const char* Person;
        std::vector<FolderEntry> Entries;
        const char* Chosen;
    } cases[] = {
        {"IMG_1234.jpg", "", {File("IMG_1234.jpg"), File("IMG_1234.m4a")}, "IMG_1234.m4a"},
        {"C:\\Photos\\IMG_1234.jpg", "", {File("img_1234.M4A")}, "img_1234.M4A"},
        {"Beach.heic", "", {File("Beach.wav"), File("Beach.mp3")}, "Beach.wav"},
        {"Beach.heic", "", {File("Beach.wma"), File("Beach.m4a"), File("Beach.mp3")}, "Beach.mp3"},
        {"Grandma (2).jpg", "Grandma", {File("Grandma.m4a")}, "Grandma.m4a"},
        {"IMG_1.jpg", "Grandma", {File("grandma.WMA"), File("IMG_1.wav")}, "IMG_1.wav"},
        {"IMG_1.jpg", "Łucja", {File("ŁUCJA.mp3")}, "ŁUCJA.mp3"},
        // none
        {"IMG_1234.jpg", "", {}, ""},
        {"IMG_1234.jpg", "", {File("IMG_1234.jpg"), File("IMG_1234.txt"), File("IMG_1234.ogg")}, ""},
        {"IMG_1234.jpg", "", {File("IMG_12345.m4a"), File("IMG_123.m4a"), File("IMG_1234")}, ""},
        {"IMG_1234.jpg", "", {File("IMG_1234.jpg.m4a"), File(".m4a")}, ""},
        {"Anna.jpg", "", {File("Grandma.m4a")}, ""},
        // a folder bearing the name is passed over for a file of another kind
        {"Opa.jpg", "", {Folder("Opa.m4a"), Folder("Opa.wav")}, ""},
        {"Opa.jpg", "", {Folder("Opa.wav"), File("Opa.wma")}, "Opa.wma"},
        // names no file can bear, and a name that would lead out of the folder
        {"x.jpg", "Anna/Ben", {File("Anna/Ben.wav"), File("Ben.wav")}, ""},
        {"x.jpg", "Who?", {File("Whoa.wav"), File("Who?.wav")}, ""},
        {"x.jpg", "..", {File("...wav"), File("..wav")}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseVoiceFile(c.Picture, c.Person, c.Entries), c.Chosen) << c.Picture << " / " << c.Person;
}

// The stems a folder is searched for: each once, the picture's first.
TEST(VoiceChoice, StemsToLookFor) {
    EXPECT_EQ(VoiceStems("D:\\p\\IMG_1.jpg", "Grandma"), (std::vector<std::string>{"IMG_1", "Grandma"}));
    EXPECT_EQ(VoiceStems("Grandma.jpg", "grandma"), (std::vector<std::string>{"Grandma"}));
    EXPECT_EQ(VoiceStems("IMG_1.jpg", ""), (std::vector<std::string>{"IMG_1"}));
    EXPECT_EQ(VoiceStems("IMG_1.jpg", "a:b"), (std::vector<std::string>{"IMG_1"}));
}
