// Pairs of a name played by a screen reader, which names both cards of a pair by that name, on a
// kept deal the journey wrote: a picture and its name card, or two pictures of one name, count as a
// pair; cards of two names do not. Left by Exit mid-round, the round comes back as it was.
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
    // When kept is given (a file per pair, first pictures then second ones, by their index in
    // names), the round kept for the start: pair p's cards p - 1 above p + 2, the lower its name
    // card or its second picture.
    bool StartNamed(const std::vector<std::string>& names, DWORD kind, const std::vector<int>& kept = {}) {
        std::vector<std::string> made, files;
        for (const auto& file : std::filesystem::directory_iterator(yw::ProgramFolder() + "\\test-pictures"))
            made.push_back(file.path().filename().string());
        for (size_t i = 0; i < names.size(); ++i) {
            files.push_back(names[i] + std::filesystem::path(made[i]).extension().string());
            CopyIn("test-pictures\\" + made[i], files.back());
        }
        yw::WriteSettings(folder.Path(), 5);
        yw::WriteSettingNumber("Pairs", kind);
        if (!kept.empty()) {
            std::string cells, sides, ids;
            for (int cell = 0; cell < 6; ++cell) {
                cells += folder.File(files[size_t(kept[size_t(kind == 2 ? cell : cell % 3)])]) + '\0';
                sides += char(cell / 3);
                ids += char(cell % 3 + 1);
            }
            PutKept("Pairs", REG_DWORD, std::string(reinterpret_cast<const char*>(&kind), sizeof(kind)));
            PutKept("Sides", REG_BINARY, sides);
            PutKept("PairIds", REG_BINARY, ids);
            KeepDeal(5, cells, {"Player 1"});
        }
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

    // A try of cards a and b of the kept deal, whose pair p lies on cards p - 1 and p + 2 and is
    // named pairNames[p - 1]: found exactly when they are a pair; a miss turned back by another
    // action on b.
    void Try(int a, int b) {
        EXPECT_EQ(Turn(a), pairNames[size_t(a % 3)]);
        EXPECT_EQ(Turn(b), pairNames[size_t(b % 3)]);
        if (a % 3 == b % 3) {
            EXPECT_TRUE(yw::WaitUntil([&] { return CardHeard(board, b).find(", found") != std::string::npos; }))
                << "the pair of " << pairNames[size_t(a % 3)] << " not found";
            return;
        }
        EXPECT_EQ(CardHeard(board, b).find("found"), std::string::npos) << a << " found with " << b;
        board->accDoDefaultAction(CardChild(b));
        EXPECT_TRUE(yw::WaitUntil([&] { return CardHeard(board, b).find("face down") != std::string::npos; }));
    }

    // The kept round played by names: a miss on purpose (the first picture with the second pair's
    // other card), the first pair, then Exit; the next start takes the round up with that pair found
    // and drawn as it was, the rest face down, and the round ends on the tries of both runs.
    void PlayKept() {
        CoInitialize(nullptr);
        ASSERT_NE(board = BoardObject(window), nullptr);
        // A reader's action before the deal is shown turns nothing.
        SetForegroundWindow(window);
        ASSERT_TRUE(yw::WaitUntil([&] {
            for (int i = 0; i < 6; ++i)
                if (!yw::Near(Pixel(i), CardBack))
                    return false;
            return true;
        })) << "no board of six cards down";
        Try(0, 4);
        Try(0, 3);
        // The pair's faces once they hold longer than a card's turn.
        uint32_t drawn[2] = {};
        int still = 0;
        ASSERT_TRUE(yw::WaitUntil([&] {
            const uint32_t now[2] = {Pixel(0), Pixel(3)};
            still = now[0] == drawn[0] && now[1] == drawn[1] && !yw::Near(now[0], CardBack) ? still + 1 : 0;
            drawn[0] = now[0], drawn[1] = now[1];
            return still >= 25;
        }));
        PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
        ASSERT_TRUE(game->EndedWell());
        board->Release();
        ASSERT_TRUE(Start(5));
        ASSERT_NE(board = BoardObject(window), nullptr);
        SetForegroundWindow(window);
        EXPECT_TRUE(yw::WaitUntil([&] { return Pixel(0) == drawn[0] && Pixel(3) == drawn[1]; }))
            << "the found pair drawn otherwise";
        for (int i = 0; i < 6; ++i)
            EXPECT_NE(CardHeard(board, i).find(i % 3 == 0 ? ": " + pairNames[0] + ", found" : ": face down"),
                      std::string::npos)
                << CardHeard(board, i);
        Try(1, 4);
        Try(5, 2);
        Answer(5, IDNO); // the kept try, the miss and three pairs
    }

    IAccessible* board = nullptr;
    std::vector<std::string> pairNames;
};

// A picture and its name: each pair is a picture and the card of its name, which a file name a
// camera or a phone gave is not.
TEST_F(NamePairs, APictureAndItsName) {
    pairNames = {"Anna", "Bo", "Łucja"};
    ASSERT_TRUE(StartNamed({"Anna", "IMG_0001", "Bo", "Łucja", "DSC01234", "20231224_101010"}, 1, {0, 2, 3}));
    PlayKept();
}

// Two pictures of one name: files named the Windows way share their name apart from case and " (n)".
TEST_F(NamePairs, TwoPicturesOfOneName) {
    pairNames = {"Anna", "Bo", "おばあちゃん"};
    ASSERT_TRUE(StartNamed({"Anna (1)", "Anna (2)", "Bo (1)", "bo (2)", "おばあちゃん (1)", "おばあちゃん (2)", "Cy",
                            "IMG_0001", "IMG_0002"},
                           2, {0, 2, 4, 1, 3, 5}));
    PlayKept();
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

// A camera's folder where one group photo's face tags alone name anybody: each of its three people is
// a pair of a picture and a name, and a person's card shows their own face (a square of their colour
// in the photo), not a neighbour's. Played by what the reader hears, remembering every card.
TEST_F(NamePairs, EachPersonOfAGroupPhotoIsAPairOfTheirOwn) {
    for (const char* file : {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0003.jpg", "IMG_0004.jpg"})
        CopyIn(std::string("people-pictures\\") + file, file);
    yw::WriteSettings(folder.Path(), 5);
    yw::WriteSettingNumber("Pairs", 1);
    ASSERT_TRUE(Start(5));
    CoInitialize(nullptr);
    ASSERT_NE(board = BoardObject(window), nullptr);
    SetForegroundWindow(window);
    ASSERT_TRUE(yw::WaitUntil([&] { return yw::Near(Pixel(0), CardBack) && yw::Near(Pixel(5), CardBack); }));
    const std::map<std::string, uint32_t> faces = {
        {"Grandma", 0xFF0000}, {"Grandpa", 0x00FF00}, {"Baby", 0x0000FF}};
    std::map<std::string, std::vector<int>> seen;  // the cells of each name seen and not yet found
    std::map<std::string, std::set<int>> pictures; // the picture cards of each name, by their colour
    std::set<int> found;
    int tries = 0;
    const auto turn = [&](int cell) {
        const std::string name = Turn(cell);
        const auto face = faces.find(name);
        EXPECT_NE(face, faces.end()) << "a card named " << name;
        if (face == faces.end())
            return name;
        // Once the turn is drawn and holds: a picture card shows its person's face; anything else
        // (a neighbour's face, the photo's grey) counts as the name card, and a pair has one.
        uint32_t shown = CardBack;
        int still = 0;
        EXPECT_TRUE(yw::WaitUntil([&] {
            const uint32_t now = Pixel(cell);
            still = now == shown && !yw::Near(now, CardBack) ? still + 1 : 0;
            shown = now;
            return still >= 10;
        }));
        if (yw::Near(shown, face->second))
            pictures[name].insert(cell);
        return name;
    };
    const auto foundNow = [&](int a, int b) {
        EXPECT_TRUE(yw::WaitUntil([&] { return CardHeard(board, b).find(", found") != std::string::npos; }));
        found.insert(a);
        found.insert(b);
    };
    for (int first = 0; first < 6; ++first) {
        if (found.count(first) != 0)
            continue;
        const std::string name = turn(first);
        std::vector<int>& same = seen[name];
        const auto partner = std::find_if(same.begin(), same.end(), [&](int cell) { return cell != first; });
        if (partner != same.end()) {
            const int other = *partner;
            EXPECT_EQ(turn(other), name);
            ++tries;
            foundNow(first, other);
            continue;
        }
        if (same.empty())
            same.push_back(first);
        int second = first + 1;
        while (second < 6 &&
               (found.count(second) != 0 || std::any_of(seen.begin(), seen.end(), [&](const auto& s) {
                    return std::count(s.second.begin(), s.second.end(), second) != 0;
                })))
            ++second;
        ASSERT_LT(second, 6);
        const std::string other = turn(second);
        ++tries;
        if (other == name) {
            foundNow(first, second);
            continue;
        }
        seen[other].push_back(second);
        board->accDoDefaultAction(CardChild(second)); // the miss turns back
        EXPECT_TRUE(
            yw::WaitUntil([&] { return CardHeard(board, second).find("face down") != std::string::npos; }));
    }
    EXPECT_EQ(found.size(), 6u);
    for (const auto& face : faces)
        EXPECT_EQ(pictures[face.first].size(), 1u) << face.first << "'s picture card";
    Answer(tries, IDNO);
}
