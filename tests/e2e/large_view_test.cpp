// A found picture large: the title it carries names its card, a double-click shows it whole over
// the board with the round's clock standing, Esc closes it and the round goes on; with ShowFound,
// each pair found shows by itself and closes by itself. Pairs are found by the names a screen
// reader hears, never by luck.
#include "tests/e2e/Journey.h"

#include <string>

namespace {

class LargeView : public Journey {
protected:
    // A game on the 18 titled portrait circles at level 1, the status bar showing the round's time.
    bool StartTitled(DWORD showFound) {
        for (const auto& made : std::filesystem::directory_iterator(yw::ProgramFolder() + "\\titled-pictures"))
            CopyIn("titled-pictures\\" + made.path().filename().string(), made.path().filename().string());
        yw::WriteSettings(folder.Path(), 1);
        yw::WriteSettingNumber("StatusBar", 1);
        yw::WriteSettingNumber("ShowFound", showFound);
        CoInitialize(nullptr);
        return StartWithBar(1, false) && (board = BoardObject(window)) != nullptr;
    }
    void TearDown() override {
        if (board != nullptr)
            board->Release();
    }

    // What a screen reader hears card i show, after its place.
    std::string Shown(int i) {
        const std::string heard = CardHeard(board, i);
        return heard.substr(std::min(heard.find(": "), heard.size() - 2) + 2);
    }
    // The board's own name: the view's while it is open.
    std::string BoardName() {
        VARIANT self = {};
        self.vt = VT_I4;
        BSTR text = nullptr;
        board->get_accName(self, &text);
        const std::string name = text != nullptr ? yw::Utf8(text) : "";
        SysFreeString(text);
        return name;
    }
    std::string Turn(int i) {
        ClickCell(i);
        std::string shown;
        yw::WaitUntil([&] { return (shown = Shown(i)) != "face down"; });
        return shown;
    }

    // Turns cards until a pair is found, remembering where each picture was seen; its two cards.
    std::pair<int, int> FindPair() {
        std::map<std::string, int> at;
        for (int next = 0; next < rows * columns;) {
            const int a = next++;
            const std::string first = Turn(a);
            const int b = at.count(first) ? at[first] : next++;
            const std::string second = Turn(b);
            if (second == first + ", found")
                return {a, b};
            at[first] = a;
            ClickCell(b); // turns the missed pair back
            yw::WaitUntil([&] { return Shown(b) == "face down"; });
            if (at.count(second) && Turn(at[second]) == second && Turn(b) == second + ", found")
                return {at[second], b};
            at[second] = b;
        }
        ADD_FAILURE() << "no pair found";
        return {0, 0};
    }

    // What the view shows down the client's middle column and across the circle's middle row: the
    // picture's size and the circle's, in pixels.
    struct Seen {
        int Width = 0, Height = 0, CircleWidth = 0, CircleHeight = 0;
    };
    Seen Look() {
        Seen seen;
        const int x = client.right / 2;
        const std::vector<uint32_t> column = yw::ScreenPixels(window, {x, 0, x + 1, client.bottom});
        const auto dark = [](uint32_t p) { return yw::Near(p, 0); };
        const auto blue = [](uint32_t p) { return yw::Near(p, 0x0000FF, 60); };
        const int top = int(std::find_if_not(column.begin(), column.end(), dark) - column.begin());
        const int bottom = int(std::find_if(column.begin() + top, column.end(), dark) - column.begin());
        const auto first = std::find_if(column.begin() + top, column.begin() + bottom, blue);
        const auto last = std::find_if(std::make_reverse_iterator(column.begin() + bottom),
                                       std::make_reverse_iterator(first), blue);
        if (first == column.begin() + bottom)
            return seen;
        const int middle = int(first - column.begin() + (last.base() - column.begin())) / 2;
        const std::vector<uint32_t> row = yw::ScreenPixels(window, {0, middle, client.right, middle + 1});
        const auto right = std::find_if(row.begin() + x, row.end(), dark);
        const auto left = std::find_if(std::make_reverse_iterator(row.begin() + x), row.rend(), dark).base();
        const auto circleRight = std::find_if_not(row.begin() + x, row.end(), blue);
        const auto circleLeft =
            std::find_if_not(std::make_reverse_iterator(row.begin() + x), row.rend(), blue).base();
        seen = {int(right - left), bottom - top, int(circleRight - circleLeft), int(last.base() - first)};
        return seen;
    }
    // The 300x400 portrait whole, its circle a fifth of its height across each way, within 2 %.
    static bool WholeAndRound(const Seen& s) {
        const auto within = [](double a, double b) { return a > b * 0.98 && a < b * 1.02; };
        return s.Height > 0 && within(s.Width, s.Height * 0.75) && within(s.CircleWidth, s.Height * 0.4) &&
               within(s.CircleHeight, s.Height * 0.4);
    }
    std::string Time() { return BarParts(bar).back(); }

    IAccessible* board = nullptr;
};

TEST_F(LargeView, FoundPictureShowsWholeAndRoundNamedByItsTitleWhileTheClockStands) {
    ASSERT_TRUE(StartTitled(0));
    const auto pair = FindPair();
    const std::string title = Shown(pair.first).substr(0, Shown(pair.first).size() - 7);
    EXPECT_EQ(title.rfind("Titled circle-", 0), 0u) << "not the carried title: " << title;
    yw::Click(window, Centre(pair.first));
    yw::Click(window, Centre(pair.first));
    Seen seen;
    EXPECT_TRUE(yw::WaitUntil([&] { return WholeAndRound(seen = Look()); }))
        << seen.Width << "x" << seen.Height << ", circle " << seen.CircleWidth << "x" << seen.CircleHeight;
    EXPECT_GE(seen.Height, client.bottom * 85 / 100) << "the view covers too little of the board";
    EXPECT_EQ(BoardName().rfind(title + ", ", 0), 0u) << BoardName();
    EXPECT_NE(BoardName().find("2019"), std::string::npos) << BoardName();
    const std::string time = Time();
    Sleep(2200);
    EXPECT_EQ(Time(), time) << "the round's clock ran under the view";

    yw::PressKey(VK_ESCAPE);
    ASSERT_TRUE(yw::WaitUntil([&] { return BoardName().rfind(title, 0) != 0; }));
    int other = 0;
    while (Shown(other) != "face down")
        ++other;
    EXPECT_EQ(Turn(other).rfind("Titled circle-", 0), 0u) << "the round did not go on";
}

TEST_F(LargeView, ShowFoundOpensEachPairByItselfAndClosesItself) {
    ASSERT_TRUE(StartTitled(1));
    const auto pair = FindPair();
    const std::string title = Shown(pair.first).substr(0, Shown(pair.first).size() - 7);
    EXPECT_TRUE(yw::WaitUntil([&] { return BoardName().rfind(title + ", ", 0) == 0; })) << BoardName();
    EXPECT_TRUE(yw::WaitUntil([&] { return BoardName().rfind(title, 0) != 0; }, 6000)) << "still open";
}

} // namespace
