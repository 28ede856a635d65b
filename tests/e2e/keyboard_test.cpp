// Yorewind played without a mouse, from outside: keys through SendInput, and a screen reader's
// MSAA client that reads, locates and turns the cards and hears what changes.
#include <cstdio>

#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

std::vector<std::pair<DWORD, LONG>> Events; // WinEvents heard from the board: event, child

void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT)
        Events.emplace_back(event, child);
}

class Keys : public Journey {
protected:
    void TearDown() override {
        if (board != nullptr)
            board->Release();
        UnhookWinEvent(hook);
    }

    // A screen reader's default action turns the card (checks in Act). Otherwise the focus
    // moves there with Home, End and Ctrl+Home/End where they lead straight there, then the
    // arrows, and Space or Enter in turn turns it.
    void TurnCell(int i) override {
        if (reader)
            return Act(i);
        const int row = i / columns, column = i % columns;
        const bool corner = i % (rows * columns - 1) == 0;
        if (corner || (row == focus / columns && column % (columns - 1) == 0)) {
            yw::PressKey(column == 0 ? VK_HOME : VK_END, corner);
            focus = i;
        }
        for (; focus / columns != row; focus += row > focus / columns ? columns : -columns)
            yw::PressKey(row > focus / columns ? VK_DOWN : VK_UP);
        for (; focus != i; focus += i > focus ? 1 : -1)
            yw::PressKey(i > focus ? VK_RIGHT : VK_LEFT);
        yw::PressKey(++keys % 2 ? VK_SPACE : VK_RETURN);
    }

    // Before each action the cards up are named by their pictures, a found pair marked so. The
    // action on the second card of a miss turns the pair back: named face down again, with events.
    void Act(int i) {
        for (int j : up)
            EXPECT_TRUE(yw::WaitUntil([&] { return Name(j) == Expected(j, true); })) << Name(j);
        const std::vector<int> pair = up;
        VARIANT state = {};
        EXPECT_TRUE(
            up.size() < 2 || !found[up[0]] ||
            (board->get_accState(CardChild(up[0]), &state) == S_OK && (state.lVal & STATE_SYSTEM_CHECKED)));
        up.resize(up.size() % 2);
        Listen(true);
        EXPECT_TRUE(SUCCEEDED(board->accDoDefaultAction(CardChild(i))));
        if (pair.size() < 2 || found[pair[0]])
            return up.push_back(i);
        EXPECT_TRUE(WaitBoard({}));
        for (int j : pair) {
            EXPECT_EQ(Name(j), Expected(j, false)) << "a stale name after the miss was turned back";
            EXPECT_TRUE(Heard(EVENT_OBJECT_NAMECHANGE, j) && Heard(EVENT_OBJECT_STATECHANGE, j)) << j;
        }
    }

    // Waits until card i shows the focus frame (its light frame and the dark edge inside it, read
    // beside its centre) or, when not shown, nothing on that edge but the card itself.
    bool CueBecomes(int i, bool shown) {
        return yw::WaitUntil([&] {
            const int left = Card(i).Left, y = Centre(i).y;
            const uint32_t light = yw::ScreenPixel(window, {left + AcrossBoard(4, client.right), y});
            const uint32_t dark = yw::ScreenPixel(window, {left + AcrossBoard(7, client.right), y});
            return shown ? yw::Near(light, 0xFFFFFF) && yw::Near(dark, 0)
                         : yw::Near(light, Pixel(i)) && yw::Near(dark, Pixel(i));
        });
    }

    // The board's object as a screen reader gets it, and a hook on its events.
    bool Attach() {
        CoInitialize(nullptr);
        hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Hear, game->Id(), 0,
                               WINEVENT_OUTOFCONTEXT);
        return (board = BoardObject(window)) != nullptr;
    }
    std::string Name(int i) const { return CardHeard(board, i); }
    // What card i is called when it shows its picture (the file's name, its colour) or its back.
    std::string Expected(int i, bool up) const {
        char colour[8];
        std::snprintf(colour, sizeof(colour), "%06x", up ? seen.at(i) : 0u);
        return "Row " + std::to_string(i / columns + 1) + ", column " + std::to_string(i % columns + 1) + ": " +
               (!up ? "face down" : found[i] ? std::string(colour) + ", found" : colour);
    }
    // Handles the hook's messages (the events come as messages to this thread), and forgets the
    // events heard so far when asked.
    static void Listen(bool forget = false) {
        for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageA(&message);
        Events.resize(forget ? 0 : Events.size());
    }
    // Waits for the event on card i since the last forgetting.
    static bool Heard(DWORD event, int i) {
        return yw::WaitUntil([&] {
            Listen();
            return std::count(Events.begin(), Events.end(), std::make_pair(event, LONG(i + 1))) > 0;
        });
    }

    IAccessible* board = nullptr;
    HWINEVENTHOOK hook = nullptr;
    bool reader = false;
    std::vector<int> up; // by the reader's actions
    int focus = 0, keys = 0;
};

// A screen reader finds the 16 cards of level 1 where they are drawn and plays a round by their
// default actions, hearing their names (checks in Act). Then a round with keys alone: the frame
// shows only once a key was used, follows the focus to each deal's first card and the arrows, whose
// moves the reader hears; a click hides it; F2 deals anew.
TEST_F(Keys, ScreenReaderRoundThenKeysAloneTheFocusFrameAndF2) {
    ASSERT_TRUE(StartDealt(1));
    ASSERT_TRUE(Attach());
    long count = 0;
    EXPECT_TRUE(SUCCEEDED(board->get_accChildCount(&count)) && count == 16) << count;
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Name(i), Expected(i, false));
        POINT centre = Centre(i);
        ClientToScreen(window, &centre);
        long x = 0, y = 0, width = 0, height = 0;
        VARIANT hit = {};
        board->accLocation(&x, &y, &width, &height, CardChild(i));
        board->accHitTest(centre.x, centre.y, &hit);
        EXPECT_TRUE(centre.x > x && centre.x < x + width && centre.y > y && centre.y < y + height) << i;
        EXPECT_TRUE(hit.vt == VT_I4 && hit.lVal == i + 1) << i;
    }
    EXPECT_TRUE(CueBecomes(0, false)) << "a frame before any key";
    for (bool byReader : {true, false}) {
        reader = byReader;
        const int tries = PlayRound();
        ASSERT_GE(tries, 0) << "the board did not show what the " << (reader ? "reader" : "keys") << " did";
        Answer(tries, IDYES);
        Layout(1);
        ASSERT_TRUE(WaitBoard({}));
    }
    EXPECT_TRUE(CueBecomes(0, true)) << "the frame not on the new deal's first card";
    Listen(true);
    yw::PressKey(VK_RIGHT);
    EXPECT_TRUE(CueBecomes(1, true) && CueBecomes(0, false)) << "the frame did not follow the arrow";
    yw::PressKey(VK_DOWN);
    EXPECT_TRUE(Heard(EVENT_OBJECT_FOCUS, 1) && Heard(EVENT_OBJECT_FOCUS, 5)) << "no focus events";
    VARIANT focused = {};
    EXPECT_TRUE(SUCCEEDED(board->get_accFocus(&focused)) && focused.vt == VT_I4 && focused.lVal == 6);
    yw::PressKey(VK_SPACE);
    ASSERT_TRUE(WaitBoard({5}));
    yw::PressKey(VK_F2);
    Layout(1);
    EXPECT_TRUE(WaitBoard({})) << "no new deal after F2";
    yw::Click(window, Centre(5));
    EXPECT_TRUE(WaitBoard({5}));
    EXPECT_TRUE(CueBecomes(5, false) && CueBecomes(0, false)) << "the frame still shown after a click";
}

} // namespace
