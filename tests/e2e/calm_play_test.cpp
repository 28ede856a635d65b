// Calm play from outside: Grandma and Sam play a kept deal of three pairs whose places the journey
// knows. Nothing counted on the bar, a miss turning back with no click, a card lit only once its
// partner was seen and the card turned again, captions under the pictures, each pair found shown
// large by itself, warm words without a number at the end, and no statistics.
#include "tests/e2e/Journey.h"

#include <string>

namespace {

const uint32_t Glow = 0xFFD24A;

class CalmPlay : public Journey {
protected:
    void TearDown() override {
        if (reader != nullptr)
            reader->Release();
    }

    std::string BarText() {
        const std::vector<std::string> parts = BarParts(bar);
        return parts.size() == 1 ? parts[0] : "(" + std::to_string(parts.size()) + " parts)";
    }
    bool BarSays(const std::string& text) {
        const bool came = yw::WaitUntil([&] { return BarText() == text; }, 5000);
        EXPECT_TRUE(came) << BarText() << " instead of " << text;
        return came;
    }
    // A point on card i's left edge, inside it, where its glow's brightest ring lies.
    uint32_t Edge(int i) const {
        const PixelRect r = Card(i);
        return yw::ScreenPixel(window, {r.Left + 1, (r.Top + r.Bottom) / 2});
    }
    std::string Glowing() const {
        std::string lit;
        for (int i = 0; i < rows * columns; ++i)
            lit += yw::Near(Edge(i), Glow) ? std::to_string(i) : "";
        return lit;
    }
    // Most points along the foot of card i, above a found frame, come to be paper white: its name's
    // band, under a picture of one colour. (A card may still be ending its turn.)
    bool Captioned(int i) const {
        const PixelRect r = Card(i);
        return yw::WaitUntil(
            [&] {
                int white = 0;
                for (int k = 1; k < 8; ++k)
                    white += yw::Near(yw::ScreenPixel(window, {r.Left + (r.Right - r.Left) * k / 8, r.Bottom - 6}),
                                      0xFFFFFF);
                return white >= 4;
            },
            3000);
    }
    void Try(int a, int b) {
        ClickCell(a);
        ASSERT_TRUE(WaitBoard({a}));
        ClickCell(b);
    }

    IAccessible* reader = nullptr;
};

TEST_F(CalmPlay, ARoundThatTellsAndNeverTests) {
    AddPictures(true);
    yw::WriteSettings(folder.Path(), 5);
    yw::WriteSettingNumber("Players", 2);
    yw::WriteSettingNumber("Calm", 1);
    for (const wchar_t* seat : {L"Player1", L"Player2"}) {
        const std::wstring name = seat[6] == L'1' ? L"Grandma" : L"Sam";
        RegSetKeyValueW(HKEY_CURRENT_USER, yw::Wide(yw::SettingsKey).c_str(), seat, REG_SZ, name.c_str(),
                        DWORD((name.size() + 1) * sizeof(wchar_t)));
    }
    // Pairs side by side: cards 0 and 1 red, 2 and 3 green, 4 and 5 blue; each named by its file.
    std::string cells;
    for (const char* file : {"ff0000.jpg", "00ff00.jpg", "0000ff.jpg"})
        for (int twice = 0; twice < 2; ++twice) {
            cells += folder.File(file) + '\0';
            deal.push_back(std::stoul(file, nullptr, 16));
        }
    KeepDeal(5, cells, {"Grandma", "Sam"});
    ASSERT_TRUE(StartWithBar(5));
    CoInitialize(nullptr);
    ASSERT_NE(reader = BoardObject(window), nullptr);
    BarSays("Grandma's turn \xC2\xB7 Pairs: 0 of 3");

    // Grandma misses: the turn passes, and with no click the pair turns back after 4 s.
    Try(0, 2);
    const ULONGLONG missed = GetTickCount64();
    ASSERT_TRUE(WaitBoard({0, 2}));
    BarSays("Sam's turn \xC2\xB7 Pairs: 0 of 3");
    EXPECT_TRUE(Captioned(0)) << "no caption under a picture face up";
    Sleep(DWORD(std::max<LONGLONG>(0, LONGLONG(missed + 3200 - GetTickCount64()))));
    EXPECT_FALSE(yw::Near(Pixel(2), CardBack)) << "turned back before its 4 s";
    ASSERT_TRUE(yw::WaitUntil([&] { return yw::Near(Pixel(0), CardBack) && yw::Near(Pixel(2), CardBack); }, 8000))
        << "the miss did not turn back by itself";
    EXPECT_LT(GetTickCount64() - missed, 5800u) << "the miss turned back late";

    // Sam sees red's partner, then green again, whose partner nobody saw: nothing lights; a click
    // turns the miss back at once.
    Try(1, 2);
    ASSERT_TRUE(WaitBoard({1, 2}));
    ClickCell(2);
    ASSERT_TRUE(WaitBoard({}));
    EXPECT_EQ(Glowing(), "");
    EXPECT_EQ(CardHeard(reader, 3), "Row 2, column 1: face down");

    // Red turned again, its partner seen before: the partner glows, and a reader hears so.
    BarSays("Grandma's turn \xC2\xB7 Pairs: 0 of 3");
    ClickCell(0);
    ASSERT_TRUE(WaitBoard({0}));
    EXPECT_TRUE(yw::WaitUntil([&] { return Glowing() == "1"; }, 5000)) << "lit: " << Glowing();
    EXPECT_EQ(CardHeard(reader, 1), "Row 1, column 2: face down, turned before");

    // Found: shown large by itself over the board, then the board with the pair captioned and framed.
    ClickCell(1);
    BarSays("Grandma's turn \xC2\xB7 Pairs: 1 of 3");
    EXPECT_TRUE(yw::WaitUntil([&] { return !yw::Near(Pixel(4), CardBack); }, 5000)) << "the pair not shown large";
    found[0] = found[1] = true;
    ASSERT_TRUE(WaitBoard({}));
    EXPECT_EQ(Glowing(), "") << "still lit once found";
    EXPECT_TRUE(Captioned(1)) << "no caption under a found picture";
    EXPECT_EQ(CardHeard(reader, 1), "Row 1, column 2: ff0000, found by Grandma");

    Try(2, 3);
    BarSays("Grandma's turn \xC2\xB7 Pairs: 2 of 3");
    found[2] = found[3] = true;
    ASSERT_TRUE(WaitBoard({}));
    Try(4, 5);
    ASSERT_TRUE(Opened(0, "Yorewind")) << "no words at the end of the round";
    const std::string words = yw::MessageText(dialog);
    EXPECT_EQ(words, "Well done! You found them all. Play again?");
    EXPECT_EQ(words.find_first_of("0123456789"), std::string::npos);
    HKEY statistics = nullptr;
    const std::string key = std::string(yw::SettingsKey) + "\\Statistics";
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &statistics), ERROR_SUCCESS)
        << "statistics kept of a calm round";
    ASSERT_TRUE(Close(IDYES));

    // Yes deals again, still calm: nothing counted, Sam starting.
    BarSays("Sam's turn \xC2\xB7 Pairs: 0 of 3");
    deal.clear();
    Layout(5);
    EXPECT_TRUE(WaitBoard({}));
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(game->EndedWell());
    DWORD showFound = 0, size = sizeof(showFound);
    RegGetValueA(HKEY_CURRENT_USER, yw::SettingsKey, "ShowFound", RRF_RT_REG_DWORD, nullptr, &showFound, &size);
    EXPECT_EQ(showFound, 0u) << "ShowFound changed by calm play";
}

} // namespace
