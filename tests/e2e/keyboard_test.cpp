// Yorewind played without a mouse, from outside: keys through SendInput, and a screen reader's
// MSAA client that reads, locates and turns the cards and hears what changes.
#include <oleacc.h>

#include <cstdio>

#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

// IID_IAccessible, defined here: liboleacc and libuuid would both bring it into a static link.
const IID AccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

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

    // Moves the focus there with the arrows, or Home, End and Ctrl+Home/End where they lead
    // straight there, then turns the card with Space or Enter in turn.
    void TurnCell(int i) override {
        const int last = rows * columns - 1, row = i / columns, column = i % columns;
        if (i == 0 || i == last)
            yw::PressKey(i == 0 ? VK_HOME : VK_END, true);
        else if (row == focus / columns && (column == 0 || column == columns - 1))
            yw::PressKey(column == 0 ? VK_HOME : VK_END);
        for (int r = focus / columns; i != 0 && i != last && r != row; r += row > r ? 1 : -1)
            yw::PressKey(row > r ? VK_DOWN : VK_UP);
        for (int c = focus % columns; i != 0 && i != last && c != column; c += column > c ? 1 : -1)
            yw::PressKey(column > c ? VK_RIGHT : VK_LEFT);
        focus = i;
        yw::PressKey(++keys % 2 ? VK_SPACE : VK_RETURN);
    }

    // Waits until card i shows the focus frame (its light frame and the dark edge inside it, read
    // beside its centre) or, when not shown, nothing on that edge but the card itself.
    bool CueBecomes(int i, bool shown) {
        return yw::WaitUntil([&] {
            const int left = i % columns * pitch.x + 4, y = Centre(i).y;
            const uint32_t light = yw::ScreenPixel(window, {(left + 4) * client.right / 800, y});
            const uint32_t dark = yw::ScreenPixel(window, {(left + 7) * client.right / 800, y});
            return shown ? yw::Near(light, 0xFFFFFF) && yw::Near(dark, 0)
                         : yw::Near(light, Pixel(i)) && yw::Near(dark, Pixel(i));
        });
    }

    // The board's object as a screen reader gets it, and a hook on its events.
    bool Attach() {
        CoInitialize(nullptr);
        hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, Hear, game->Id(), 0,
                               WINEVENT_OUTOFCONTEXT);
        return SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, AccessibleIid,
                                                    reinterpret_cast<void**>(&board)));
    }
    static VARIANT Child(int i) {
        VARIANT child = {};
        child.vt = VT_I4;
        child.lVal = i + 1;
        return child;
    }
    std::string Name(int i) const {
        BSTR name = nullptr;
        char text[256] = "";
        if (SUCCEEDED(board->get_accName(Child(i), &name)))
            WideCharToMultiByte(CP_UTF8, 0, name, -1, text, sizeof(text), nullptr, nullptr);
        SysFreeString(name);
        return text;
    }
    // What card i is called when it shows its picture (the file's name, its colour) or its back.
    std::string Expected(int i, bool up) const {
        char colour[8];
        std::snprintf(colour, sizeof(colour), "%06x", up ? seen.at(i) : 0u);
        return "Row " + std::to_string(i / columns + 1) + ", column " + std::to_string(i % columns + 1) + ": " +
               (!up ? "face down" : found[i] ? std::string(colour) + ", found" : colour);
    }
    // Waits for the event on card i, handling the hook's messages meanwhile.
    bool Heard(DWORD event, int i) {
        return yw::WaitUntil([&] {
            for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
                DispatchMessageA(&message);
            return std::count(Events.begin(), Events.end(), std::make_pair(event, LONG(i + 1))) > 0;
        });
    }

    IAccessible* board = nullptr;
    HWINEVENTHOOK hook = nullptr;
    int focus = 0, keys = 0;
};

// A whole round with keys alone, to the question and Yes; the frame shows only once a key was
// used, follows the focus to each deal's first card, and a click hides it; F2 deals anew.
TEST_F(Keys, RoundWithKeysAloneTheFocusFrameAndF2) {
    ASSERT_TRUE(StartDealt(1));
    EXPECT_TRUE(CueBecomes(0, false)) << "a frame before any key";
    const int tries = PlayRound();
    ASSERT_GE(tries, 0) << "the board did not show what the keys did";
    Answer(tries, IDYES);
    Layout(1);
    ASSERT_TRUE(WaitBoard({}));
    EXPECT_TRUE(CueBecomes(0, true)) << "the frame not on the new deal's first card";
    yw::PressKey(VK_RIGHT);
    EXPECT_TRUE(CueBecomes(1, true) && CueBecomes(0, false)) << "the frame did not follow the arrow";
    yw::PressKey(VK_SPACE);
    ASSERT_TRUE(WaitBoard({1}));
    yw::PressKey(VK_F2);
    Layout(1);
    EXPECT_TRUE(WaitBoard({})) << "no new deal after F2";
    yw::Click(window, Centre(5));
    EXPECT_TRUE(WaitBoard({5}));
    EXPECT_TRUE(CueBecomes(5, false) && CueBecomes(0, false)) << "the frame still shown after a click";
}

// A screen reader finds the 16 cards of level 1 where they are drawn, hears the focus move, turns
// cards by their default action, hears their names become their pictures' and, after a miss is
// turned back, "face down" again; a found pair is named and marked so.
TEST_F(Keys, ScreenReader) {
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
        board->accLocation(&x, &y, &width, &height, Child(i));
        board->accHitTest(centre.x, centre.y, &hit);
        EXPECT_TRUE(centre.x > x && centre.x < x + width && centre.y > y && centre.y < y + height) << i;
        EXPECT_TRUE(hit.vt == VT_I4 && hit.lVal == i + 1) << i;
    }
    yw::PressKey(VK_DOWN);
    yw::PressKey(VK_END);
    EXPECT_TRUE(Heard(EVENT_OBJECT_FOCUS, 4) && Heard(EVENT_OBJECT_FOCUS, 7)) << "no focus events";
    VARIANT focused = {};
    EXPECT_TRUE(SUCCEEDED(board->get_accFocus(&focused)) && focused.vt == VT_I4 && focused.lVal == 8);

    // Tries of neighbours until one misses; the next card's action turns the miss back.
    for (int a = 0; a + 2 < 16; a += 2) {
        for (int i : {a, a + 1}) {
            EXPECT_TRUE(SUCCEEDED(board->accDoDefaultAction(Child(i))));
            ASSERT_TRUE(WaitBoard({a, i}));
        }
        found[a] = found[a + 1] = seen[a] == seen[a + 1];
        for (int i : {a, a + 1})
            EXPECT_TRUE(yw::WaitUntil([&] { return Name(i) == Expected(i, true); })) << Name(i);
        if (found[a]) {
            VARIANT state = {};
            EXPECT_TRUE(board->get_accState(Child(a), &state) == S_OK && (state.lVal & STATE_SYSTEM_CHECKED));
            continue;
        }
        Events.clear();
        board->accDoDefaultAction(Child(a + 2));
        EXPECT_TRUE(WaitBoard({}));
        for (int i : {a, a + 1}) {
            EXPECT_EQ(Name(i), Expected(i, false)) << "a stale name after the miss was turned back";
            EXPECT_TRUE(Heard(EVENT_OBJECT_NAMECHANGE, i) && Heard(EVENT_OBJECT_STATECHANGE, i)) << i;
        }
        return;
    }
    ADD_FAILURE() << "seven tries of neighbours all matched";
}

} // namespace
