// The boards for every age and the whole screen, played from outside: the smallest and the largest
// board as a screen reader counts them, and F11 over the monitor and back.
#include "tests/e2e/Journey.h"

namespace {

RECT WindowRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

class Boards : public Journey {
protected:
    long CardsHeard() {
        IAccessible* board = BoardObject(window);
        long count = 0;
        if (board != nullptr) {
            board->get_accChildCount(&count);
            board->Release();
        }
        return count;
    }
};

// 3 pairs deal 6 cards; 32 pairs need 32 pictures (the build's 18 and copies under new names),
// deal 64 cards, all drawn face down where the level's grid puts them.
TEST_F(Boards, ThreePairsSixCardsAndThirtyTwoPairsSixtyFour) {
    CoInitialize(nullptr);
    ASSERT_TRUE(StartDealt(5));
    EXPECT_EQ(CardsHeard(), 6);
    game.reset();
    int copies = 0;
    for (const auto& made : std::filesystem::directory_iterator(yw::ProgramFolder() + "\\test-pictures"))
        if (copies < 14)
            CopyIn("test-pictures\\" + made.path().filename().string(),
                   "copy" + std::to_string(copies++) + made.path().extension().string());
    yw::WriteSettings(folder.Path(), 7);
    ASSERT_TRUE(Start(7));
    SetForegroundWindow(window);
    ASSERT_TRUE(WaitBoard({}));
    EXPECT_EQ(CardsHeard(), 64);
    CoUninitialize();
}

// F11 puts the window over its whole monitor without caption or frame, the board drawn over it; F11 brings it back to its place and size, and Esc does too.
TEST_F(Boards, F11FillsTheScreenAndComesBack) {
    ASSERT_TRUE(StartDealt(6));
    RECT r, before = WindowRect(window);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    ASSERT_TRUE(GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor));
    for (WORD back : {VK_F11, VK_ESCAPE}) {
        SetForegroundWindow(window);
        yw::PressKey(VK_F11);
        EXPECT_TRUE(yw::WaitUntil([&] { return EqualRect(&monitor.rcMonitor, &(r = WindowRect(window))); }))
            << "not over the monitor";
        EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0) << "still framed";
        // The deal's grid stays, drawn over the new client.
        GetClientRect(window, &client);
        EXPECT_EQ(client.right, monitor.rcMonitor.right - monitor.rcMonitor.left) << "a border left";
        EXPECT_TRUE(WaitBoard({})) << "the board not laid out over the screen";
        yw::PressKey(back);
        EXPECT_TRUE(yw::WaitUntil([&] { return EqualRect(&before, &(r = WindowRect(window))); }))
            << "not back in its place after key " << back;
        EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
        GetClientRect(window, &client);
        EXPECT_TRUE(WaitBoard({}));
    }
}

} // namespace
