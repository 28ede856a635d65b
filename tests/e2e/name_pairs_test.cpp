// Pairs of a name played by a screen reader, which names both cards of a pair by that name: a
// picture and its name card, or two pictures of one name, count as a pair; cards of two names do not.
#include "tests/e2e/Journey.h"

namespace {

class NamePairs : public Journey {
protected:
    void TearDown() override {
        if (board != nullptr)
            board->Release();
        CoUninitialize();
    }

    // The build's pictures copied under the names; kind 1 or 2 of pairs at level 5 (3 pairs).
    bool StartNamed(const std::vector<std::string>& names, DWORD kind) {
        std::vector<std::string> made;
        for (const auto& file : std::filesystem::directory_iterator(yw::ProgramFolder() + "\\test-pictures"))
            made.push_back(file.path().filename().string());
        for (size_t i = 0; i < names.size(); ++i)
            CopyIn("test-pictures\\" + made[i], names[i] + std::filesystem::path(made[i]).extension().string());
        yw::WriteSettings(folder.Path(), 5);
        yw::WriteSettingNumber("Pairs", kind);
        return Start(5);
    }

    // What the reader hears of card i once it is up: the name after "Row r, column c: ", without
    // ", found" after it.
    std::string Heard(int i) {
        std::string name;
        yw::WaitUntil([&] {
            name = CardHeard(board, i);
            return name.find(": face down") == std::string::npos;
        });
        name = name.substr(name.find(": ") + 2);
        return name.substr(0, name.find(", found"));
    }

    // Turns card i by the reader's default action and returns what it then hears of it.
    std::string Turn(int i) {
        board->accDoDefaultAction(CardChild(i));
        return Heard(i);
    }

    // The second card b of a try whose first, a, the reader named `first`: found exactly when it
    // names both alike, every name one the folder gives. A miss is turned back by another action on b.
    void Second(int a, const std::string& first, int b, const std::set<std::string>& allowed) {
        const std::string second = Turn(b);
        names[a] = first;
        names[b] = second;
        EXPECT_TRUE(allowed.count(first) && allowed.count(second)) << first << " / " << second;
        if (first == second) {
            EXPECT_TRUE(yw::WaitUntil([&] { return CardHeard(board, b).find(", found") != std::string::npos; }))
                << "the pair of " << first << " not found";
            found[a] = found[b] = true;
            return;
        }
        misses += 1;
        EXPECT_EQ(CardHeard(board, b).find("found"), std::string::npos) << first << " found with " << second;
        board->accDoDefaultAction(CardChild(b));
        EXPECT_TRUE(yw::WaitUntil([&] { return CardHeard(board, b).find("face down") != std::string::npos; }));
    }

    // A round by names: first a miss on purpose (cards 0 and 1 of a deal where the reader names
    // them apart; another deal by F2 while they are a pair), then each first card's partner is the
    // card heard with its name, else the next card not heard yet.
    void PlayByNames(const std::set<std::string>& allowed) {
        CoInitialize(nullptr);
        ASSERT_NE(board = BoardObject(window), nullptr);
        for (int deal = 0; deal < 20 && misses == 0; ++deal) {
            names.assign(6, "");
            found.assign(6, false);
            Second(0, Turn(0), 1, allowed);
            if (misses == 0) {
                SetForegroundWindow(window);
                yw::PressKey(VK_F2);
                EXPECT_TRUE(yw::WaitUntil([&] { return CardHeard(board, 0).find("face down") != std::string::npos; }));
            }
        }
        ASSERT_EQ(misses, 1) << "no deal whose first two cards missed";
        while (std::count(found.begin(), found.end(), false) > 0) {
            const int a = int(std::find(found.begin(), found.end(), false) - found.begin());
            const std::string first = Turn(a);
            int b = -1;
            for (int i = 0; i < 6; ++i)
                b = b < 0 && i != a && !found[i] && names[i] == first ? i : b;
            for (int i = 0; i < 6; ++i)
                b = b < 0 && i != a && !found[i] && names[i].empty() ? i : b;
            ASSERT_GE(b, 0) << "no partner left for " << first;
            Second(a, first, b, allowed);
        }
        ASSERT_TRUE(Opened(0, "Yorewind")) << "the round did not end";
        ASSERT_TRUE(Close(IDNO));
    }

    IAccessible* board = nullptr;
    std::vector<std::string> names;
    int misses = 0;
};

// A picture and its name: only named pictures are dealt (no camera's or phone's file name), and
// each pair is a picture and the card of its name.
TEST_F(NamePairs, APictureAndItsName) {
    ASSERT_TRUE(StartNamed({"Anna", "Bo", "Łucja", "IMG_0001", "DSC01234", "20231224_101010"}, 1));
    PlayByNames({"Anna", "Bo", "Łucja"});
}

// Two pictures of one name: files named the Windows way share their name; a name of one picture
// and names of a device are left out.
TEST_F(NamePairs, TwoPicturesOfOneName) {
    ASSERT_TRUE(StartNamed({"Anna (1)", "Anna (2)", "Bo (1)", "bo (2)", "おばあちゃん (1)", "おばあちゃん (2)", "Cy",
                            "IMG_0001", "IMG_0002"},
                           2));
    PlayByNames({"Anna", "Bo", "bo", "おばあちゃん"});
}

// Too few named pictures for the board: the message says how many it needs and found, and Options
// opens, as for too few pictures.
TEST_F(NamePairs, TooFewNamedPictures) {
    ASSERT_TRUE(StartNamed({"Anna", "IMG_0001", "Screenshot 2024-01-01 101010"}, 1));
    ASSERT_TRUE(Opened(0, "Yorewind. Error"));
    EXPECT_EQ(yw::MessageText(dialog), "This board needs 3 pictures with a name of their own, and the folder has 1.\n"
                                       "Name more pictures (a title, or the file's name) or choose another folder.");
    ASSERT_TRUE(Close(IDOK));
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no Options after the message";
    EXPECT_EQ(yw::ItemText(dialog, IDC_PAIRS), "A picture and its name");
    ASSERT_TRUE(Close(IDCANCEL));
    EXPECT_TRUE(game->EndedWell());
}

} // namespace
