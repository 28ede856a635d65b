// Pairs of a name played by a screen reader, which names both cards of a pair by that name, on a
// kept deal the journey wrote: a picture and its name card, or two pictures of one name, count as a
// pair; cards of two names do not. Left by Exit mid-round, the round comes back as it was.
#include "tests/e2e/Journey.h"

#include <functional>

#include "pictures/FaceIndexStore.h"

namespace {

class NamePairs : public Journey {
protected:
    void TearDown() override {
        if (board != nullptr)
            board->Release();
        CoUninitialize();
    }

    // The folder of the files copied in, that kind of pairs at level 5 (3 pairs). When kept is given
    // (a file per pair, first pictures then, for two pictures a pair, second ones, by their index in
    // files), the round kept for the start: pair p's cards p - 1 above p + 2, the lower its name card
    // or its second picture.
    bool StartWith(const std::vector<std::string>& files, DWORD kind, const std::vector<int>& kept) {
        yw::WriteSettings(folder.Path(), 5);
        yw::WriteSettingNumber("Pairs", kind);
        if (!kept.empty()) {
            std::string cells, sides, ids;
            for (int cell = 0; cell < 6; ++cell) {
                cells += folder.File(files[size_t(kept[size_t(kind >= 2 ? cell : cell % 3)])]) + '\0';
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

    // The build's test pictures copied under the names (StartWith).
    bool StartNamed(const std::vector<std::string>& names, DWORD kind, const std::vector<int>& kept = {}) {
        std::vector<std::string> made, files;
        for (const auto& file : std::filesystem::directory_iterator(yw::ProgramFolder() + "\\test-pictures"))
            made.push_back(file.path().filename().string());
        for (size_t i = 0; i < names.size(); ++i) {
            files.push_back(names[i] + std::filesystem::path(made[i]).extension().string());
            CopyIn("test-pictures\\" + made[i], files.back());
        }
        return StartWith(files, kind, kept);
    }

    // Files of a folder of pictures the build made, copied in (StartWith).
    bool StartMade(const std::string& made, const std::vector<std::string>& files, DWORD kind,
                   const std::vector<int>& kept = {}) {
        for (const std::string& file : files)
            CopyIn(made + "\\" + file, file);
        return StartWith(files, kind, kept);
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

    // The board's object for the reader, once the six cards lie face down.
    bool BoardDown() {
        CoInitialize(nullptr);
        board = BoardObject(window);
        SetForegroundWindow(window);
        return board != nullptr &&
               yw::WaitUntil([&] { return yw::Near(Pixel(0), CardBack) && yw::Near(Pixel(5), CardBack); });
    }

    // The colour card i shows once its turn is drawn and holds.
    uint32_t Drawn(int i) {
        uint32_t shown = CardBack;
        int still = 0;
        EXPECT_TRUE(yw::WaitUntil([&] {
            const uint32_t now = Pixel(i);
            still = now == shown && !yw::Near(now, CardBack) ? still + 1 : 0;
            shown = now;
            return still >= 10;
        }));
        return shown;
    }

    // Plays the six cards by what the reader hears, remembering every card: a card whose person was
    // heard before is tried with that card, else with the next unseen one; shown(card, name) after
    // each turn. A card's person is its name, or what person(name) makes of it. Every pair must be
    // found; returns the tries.
    int PlayByNames(const std::function<void(int, const std::string&)>& shown,
                    const std::function<std::string(const std::string&)>& person = {}) {
        const auto of = [&](const std::string& name) { return person ? person(name) : name; };
        std::map<std::string, std::vector<int>> seen; // the cells of each person seen and not yet found
        std::set<int> found;
        int tries = 0;
        const auto turn = [&](int cell) {
            const std::string name = Turn(cell);
            shown(cell, name);
            return name;
        };
        const auto foundNow = [&](int a, int b) {
            EXPECT_TRUE(
                yw::WaitUntil([&] { return CardHeard(board, b).find(", found") != std::string::npos; }));
            found.insert(a);
            found.insert(b);
        };
        for (int first = 0; first < 6; ++first) {
            if (found.count(first) != 0)
                continue;
            const std::string name = of(turn(first));
            std::vector<int>& same = seen[name];
            const auto partner =
                std::find_if(same.begin(), same.end(), [&](int cell) { return cell != first; });
            if (partner != same.end()) {
                const int other = *partner;
                EXPECT_EQ(of(turn(other)), name);
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
            EXPECT_LT(second, 6);
            if (second >= 6)
                break;
            const std::string other = of(turn(second));
            ++tries;
            if (other == name) {
                foundNow(first, second);
                continue;
            }
            seen[other].push_back(second);
            board->accDoDefaultAction(CardChild(second)); // the miss turns back
            EXPECT_TRUE(yw::WaitUntil(
                [&] { return CardHeard(board, second).find("face down") != std::string::npos; }));
        }
        EXPECT_EQ(found.size(), 6u);
        return tries;
    }

    // The group photo and three more, two pictures of one name at level 5, recognising on, and the
    // people's index written as the indexer keeps it, its people grouped already: Grandma, Grandpa
    // and Baby by the group photo's tags (make_people.sh), Grandma and Grandpa each in one more
    // photo, and a fourth person, named so when given, in two.
    void KnowPeople(const char* fourth, std::string* index) {
        const std::vector<std::string> files = {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0003.jpg",
                                                "IMG_0004.jpg"};
        for (const std::string& file : files)
            CopyIn("people-pictures\\" + file, file);
        // Each person's descriptors alike, the people's far apart.
        const struct {
            int File;
            FaceBox Box;
            int Person; // 0 Grandma, 1 Grandpa, 2 Baby, 3 the fourth
        } faces[] = {{0, {0.216667, 0.3875, 0.1, 0.15}, 0}, {0, {0.5, 0.3875, 0.1, 0.15}, 1},
                     {0, {0.783333, 0.3875, 0.1, 0.15}, 2}, {1, {0.4, 0.3, 0.2, 0.3}, 0},
                     {1, {0.1, 0.3, 0.2, 0.3}, 3},          {2, {0.4, 0.3, 0.2, 0.3}, 1},
                     {3, {0.4, 0.3, 0.2, 0.3}, 3}};
        const char* names[] = {"Grandma", "Grandpa", "Baby", fourth};
        *index = yw::Utf8(yw::Wide(getenv("LOCALAPPDATA"))) + "\\Yorewind\\people.db";
        {
            FaceIndexStore store(*index);
            std::vector<IndexedPicture> batch;
            for (const std::string& file : files) {
                // The size and write time the game's folder walk gives, so the index is up to date.
                WIN32_FILE_ATTRIBUTE_DATA data = {};
                GetFileAttributesExW(yw::Wide(folder.File(file)).c_str(), GetFileExInfoStandard, &data);
                batch.push_back({{folder.File(file), (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                                  int64_t((uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                          data.ftLastWriteTime.dwLowDateTime)},
                                 false,
                                 {}});
            }
            for (const auto& face : faces) {
                FaceDescriptor descriptor{};
                descriptor[0] = float(face.Person);
                batch[size_t(face.File)].Faces.push_back(
                    {face.Box, descriptor,
                     face.File == 0 ? std::optional<std::string>(names[face.Person]) : std::nullopt});
            }
            ASSERT_TRUE(store.StoreBatch(batch));
            std::vector<std::vector<int64_t>> people(4);
            store.ForEachDescribedFace([&](const StoredFace& face) {
                people[size_t((*face.Descriptor)[0])].push_back(face.Id);
                return true;
            });
            for (size_t person = 0; person < people.size(); ++person) {
                const int64_t number = store.NewPerson(people[person]);
                ASSERT_NE(number, 0);
                if (names[person] != nullptr)
                    ASSERT_TRUE(store.SetName(number, std::string(names[person])));
            }
        }
        yw::WriteSettings(folder.Path(), 5);
        yw::WriteSettingNumber("Pairs", 2);
        yw::WriteSettingNumber("RecognisePeople", 1);
    }

    // The files make_then_and_now.sh made, IMG_0001.jpg to IMG_0013.jpg.
    static std::vector<std::string> ThenAndNowFiles() {
        std::vector<std::string> files;
        for (int i = 1; i <= 13; ++i)
            files.push_back("IMG_00" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".jpg");
        return files;
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

// Then and now kept and taken up: each pair a person's old and new photo, both named by the person.
TEST_F(NamePairs, ThenAndNowKept) {
    pairNames = {"Anna", "Bo", "Cy"};
    ASSERT_TRUE(StartMade("then-and-now-pictures", ThenAndNowFiles(), 3, {0, 3, 6, 2, 4, 5}));
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
    ASSERT_TRUE(
        StartMade("people-pictures", {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0003.jpg", "IMG_0004.jpg"}, 1));
    ASSERT_TRUE(BoardDown());
    const std::map<std::string, uint32_t> faces = {
        {"Grandma", 0xFF0000}, {"Grandpa", 0x00FF00}, {"Baby", 0x0000FF}};
    std::map<std::string, std::set<int>> pictures; // the picture cards of each name, by their colour
    const int tries = PlayByNames([&](int cell, const std::string& name) {
        const auto face = faces.find(name);
        EXPECT_NE(face, faces.end()) << "a card named " << name;
        // A picture card shows its person's face; anything else (a neighbour's face, the photo's
        // grey) counts as the name card, and a pair has one.
        if (face != faces.end() && yw::Near(Drawn(cell), face->second))
            pictures[name].insert(cell);
    });
    for (const auto& face : faces)
        EXPECT_EQ(pictures[face.first].size(), 1u) << face.first << "'s picture card";
    Answer(tries, IDNO);
}

// Then and now on a camera's folder of dated photos whose tags name their people: each pair is a
// person's earliest and latest photo, years apart, both cards named by the person; a photo between
// them, a person's photos within a year, an undated photo and titles of no tagged person make none.
TEST_F(NamePairs, ThenAndNowIsEachPersonsEarliestAndLatest) {
    ASSERT_TRUE(StartMade("then-and-now-pictures", ThenAndNowFiles(), 3));
    ASSERT_TRUE(BoardDown());
    // The only photos a pair may take, by their colour (make_then_and_now.sh).
    const std::map<uint32_t, std::string> photos = {{0xFF0000, "Anna"}, {0x00FF00, "Anna"}, {0x0000FF, "Bo"},
                                                    {0xFFFF00, "Bo"},   {0xFF00FF, "Cy"},   {0x00FFFF, "Cy"}};
    std::map<int, uint32_t> dealt; // each card's photo
    const int tries = PlayByNames([&](int cell, const std::string& name) {
        const uint32_t shown = Drawn(cell);
        const auto photo = std::find_if(photos.begin(), photos.end(),
                                        [&](const auto& p) { return yw::Near(shown, p.first); });
        ASSERT_NE(photo, photos.end()) << "card " << cell << " shows " << std::hex << shown;
        EXPECT_EQ(name, photo->second) << "card " << cell;
        dealt[cell] = photo->first;
    });
    // Each of the six photos on a card: both of a person's, on the cards of their name.
    std::set<uint32_t> shown;
    for (const auto& card : dealt)
        shown.insert(card.second);
    EXPECT_EQ(shown.size(), 6u);
    Answer(tries, IDNO);
}

// Too few people with photos a year apart: the message says how many the board needs and found.
TEST_F(NamePairs, TooFewPeopleThenAndNow) {
    ASSERT_TRUE(StartMade("then-and-now-pictures",
                          {"IMG_0001.jpg", "IMG_0003.jpg", "IMG_0008.jpg", "IMG_0009.jpg", "IMG_0010.jpg",
                           "IMG_0011.jpg", "IMG_0012.jpg", "IMG_0013.jpg"},
                          3));
    ASSERT_TRUE(Opened(0, "Yorewind. Error"));
    EXPECT_EQ(
        yw::MessageText(dialog).rfind("This board needs 3 people each tagged in two dated pictures a year "
                                      "apart or more, and the folder has 1.\n",
                                      0),
        0u)
        << yw::MessageText(dialog);
    ASSERT_TRUE(Close(IDOK));
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no Options after the message";
    EXPECT_EQ(yw::ItemText(dialog, IDC_PAIRS), "Then and now");
    ASSERT_TRUE(Close(IDCANCEL));
    EXPECT_TRUE(game->EndedWell());
}

// Two pictures of one name where the group photo's tags name each person once and the people's
// index, which the player asked for, knows them in the other photos too: Grandma and Grandpa each in
// one more photo, and someone nobody named in two. Every pair found is two different pictures of
// one person: a tagged face (its colour) with a grey photo, or, for someone not named yet, the two
// photos the reader names them by. Baby, in one photo alone, makes no pair.
TEST_F(NamePairs, TwoPicturesOfOnePersonTheIndexKnows) {
    std::string index;
    ASSERT_NO_FATAL_FAILURE(KnowPeople(nullptr, &index));
    ASSERT_TRUE(Start(5));
    ASSERT_TRUE(BoardDown());
    const std::string someone = "Someone not named yet, in ";
    std::map<int, std::string> heard;
    std::map<int, uint32_t> shown;
    const int tries = PlayByNames(
        [&](int cell, const std::string& name) {
            heard[cell] = name;
            shown[cell] = Drawn(cell);
        },
        [&](const std::string& name) { return name.rfind(someone, 0) == 0 ? someone : name; });
    std::map<std::string, std::vector<int>> cards; // the cells of each person
    for (const auto& card : heard)
        cards[card.second.rfind(someone, 0) == 0 ? someone : card.second].push_back(card.first);
    ASSERT_EQ(cards.size(), 3u);
    const std::map<std::string, uint32_t> tagged = {{"Grandma", 0xFF0000}, {"Grandpa", 0x00FF00}};
    for (const auto& face : tagged) {
        const std::vector<int>& pair = cards[face.first];
        ASSERT_EQ(pair.size(), 2u) << face.first;
        EXPECT_NE(yw::Near(shown[pair[0]], face.second), yw::Near(shown[pair[1]], face.second))
            << face.first << "'s cards show " << std::hex << shown[pair[0]] << " and " << shown[pair[1]];
    }
    ASSERT_EQ(cards[someone].size(), 2u);
    EXPECT_EQ((std::set<std::string>{heard[cards[someone][0]], heard[cards[someone][1]]}),
              (std::set<std::string>{someone + "IMG_0002", someone + "IMG_0004"}));
    Answer(tries, IDNO);
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(game->EndedWell());
    EXPECT_TRUE(ForgetPeople(index));
}

// Renamed in the People window as a player does (the row chosen by typing its name, F2, the new
// name, Enter), a person the index alone names is named so by every card of theirs the next deal
// deals, and the old name by none. The folder makes three pairs, all dealt.
TEST_F(NamePairs, ARenameInThePeopleWindowNamesTheNextDeal) {
    std::string index;
    ASSERT_NO_FATAL_FAILURE(KnowPeople("Cy", &index));
    ASSERT_TRUE(Start(5));
    ASSERT_TRUE(BoardDown());
    // A card left up tells this deal from the next, whose cards all lie face down.
    board->accDoDefaultAction(CardChild(0));
    Heard(0);
    ASSERT_TRUE(Opened(IDM_PEOPLE, "People"));
    const HWND list = yw::Item(dialog, IDC_PEOPLE_LIST);
    ASSERT_TRUE(yw::WaitUntil([&] { return ListView_GetItemCount(list) == 4; }));
    for (wchar_t typed : {L'C', L'y'})
        PostMessageW(list, WM_CHAR, typed, 1); // a repeat count of 1, as a key press gives
    PostMessageW(list, WM_KEYDOWN, VK_F2, 0);
    HWND edit = nullptr;
    ASSERT_TRUE(yw::WaitUntil([&] { return (edit = ListView_GetEditControl(list)) != nullptr; }));
    wchar_t old[32] = L"";
    // The window puts the name in. Another process's control is read and written by its messages.
    yw::WaitUntil([&] { return SendMessageW(edit, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(old)) > 0; });
    ASSERT_EQ(yw::Utf8(old), "Cy") << "another row renamed";
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Dee"));
    PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(yw::WaitUntil([&] { return ListView_GetEditControl(list) == nullptr; }));
    ASSERT_TRUE(Close(IDCANCEL));
    PostMessageA(window, WM_COMMAND, IDM_MORE, 0);
    ASSERT_TRUE(BoardDown()) << "no new deal";
    std::map<int, std::string> heard;
    const int tries = PlayByNames([&](int cell, const std::string& name) { heard[cell] = name; });
    std::multiset<std::string> names;
    for (const auto& card : heard)
        names.insert(card.second);
    EXPECT_EQ(names, (std::multiset<std::string>{"Dee", "Dee", "Grandma", "Grandma", "Grandpa", "Grandpa"}));
    Answer(tries, IDNO);
    // Each card's large view, shown as a screen reader asks, names whom the tags or the index name
    // there, each once.
    std::set<std::string> captions;
    VARIANT self = {};
    self.vt = VT_I4;
    for (int cell = 0; cell < 6; ++cell) {
        std::string caption;
        const auto named = [&] {
            BSTR text = nullptr;
            board->get_accName(self, &text);
            caption = text != nullptr ? yw::Utf8(text) : "";
            SysFreeString(text);
            return caption.rfind("IMG_", 0) == 0;
        };
        board->accDoDefaultAction(CardChild(cell));
        ASSERT_TRUE(yw::WaitUntil(named)) << "no view of card " << cell << ": " << caption;
        captions.insert(caption == "IMG_0002, Dee and Grandma" ? "IMG_0002, Grandma and Dee" : caption);
        board->accDoDefaultAction(CardChild(cell));
        ASSERT_TRUE(yw::WaitUntil([&] { return !named(); }));
    }
    EXPECT_EQ(captions,
              (std::set<std::string>{"IMG_0001, Grandma, Grandpa and Baby", "IMG_0002, Grandma and Dee",
                                     "IMG_0003, Grandpa", "IMG_0004, Dee"}));
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(game->EndedWell());
    EXPECT_TRUE(ForgetPeople(index));
}
