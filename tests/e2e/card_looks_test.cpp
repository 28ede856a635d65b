// How cards look: pictures' shape kept or stretched, cards that turn, found pairs in their finder's colour.
#include "res/resource.h"
#include "tests/e2e/Journey.h"

namespace {

const uint32_t SeatBlue = 0x0072B2, SeatOrange = 0xE69F00;

// Windows' "Show animations in Windows", for the games started after.
void SetAnimation(BOOL on) {
    SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, LongToPtr(on), SPIF_UPDATEINIFILE);
}

class CardLooks : public Journey {
protected:
    // Card 0 turned up, the width over height of its blue circle, and a second card turned. Sampled as
    // fast as the screen can be read until the face shows whole: *turned tells whether the card was seen
    // narrower than its cell meanwhile, the board's black beside it and the card in its middle.
    double TurnedCircle(bool* turned) {
        ClickCell(0);
        const PixelRect r = Card(0);
        const int centre = (r.Top + r.Bottom) / 2, width = r.Right - r.Left;
        bool whole = false;
        *turned = false;
        for (const DWORD begin = GetTickCount(); !whole && GetTickCount() - begin < yw::WaitMs;) {
            const std::vector<uint32_t> row = yw::ScreenPixels(window, {r.Left, centre, r.Right, centre + 1});
            *turned = *turned || (yw::Near(row[width / 8], 0) && !yw::Near(row[width / 2], 0));
            whole = yw::Near(row[width / 2], 0x0000FF) && yw::Near(row[1], 0xFFFFFF);
        }
        EXPECT_TRUE(whole) << "card 0 never showed its face whole";
        const std::vector<uint32_t> pixels = yw::ScreenPixels(window, {r.Left, r.Top, r.Right, r.Bottom});
        int left = r.Right, right = -1, top = -1, bottom = -1;
        for (size_t p = 0; p < pixels.size(); ++p) {
            const int x = int(p % width), y = int(p / width);
            if (yw::Near(pixels[p], 0x0000FF, 64))
                left = std::min(left, x), right = std::max(right, x), top = top < 0 ? y : top, bottom = y;
        }
        ClickCell(1);
        return double(right - left + 1) / (bottom - top + 1);
    }

    // The seat colour card i is framed in, once it has stopped turning (its edge no longer the board's
    // black); 0 for none.
    uint32_t FrameOf(int i) const {
        const PixelRect r = Card(i);
        uint32_t edge = 0;
        yw::WaitUntil(
            [&] {
                return !yw::Near(edge = yw::ScreenPixel(window, {r.Left + 1, (r.Top + r.Bottom) / 2}), 0);
            },
            3000);
        return yw::Near(edge, SeatBlue, 12) ? SeatBlue : yw::Near(edge, SeatOrange, 12) ? SeatOrange : 0;
    }
};

// Without the setting the circle is stretched as the card's shape makes it; the check box in Options
// keeps it round from the next deal on and at the next start. The card turns, unless
// Windows' client-area animation is off: then it changes at once.
TEST_F(CardLooks, PicturesKeepTheirShapeAndTurn) {
    for (int i = 0; i < 18; ++i)
        CopyIn("circle-portrait.jpg", "circle" + std::to_string(i) + ".jpg");
    colours = {0x0000FF};
    yw::WriteSettings(folder.Path(), 1);
    ASSERT_TRUE(Start(1) && WaitBoard({}));
    const double stretched = 0.75 * (Card(0).Bottom - Card(0).Top) / (Card(0).Right - Card(0).Left);
    // A stalled machine may draw a turn as its first and last frame only: any of the animated turns
    // seen mid-way will do.
    bool turned = false, turnedToo = false;
    EXPECT_NEAR(TurnedCircle(&turned), 1.0 / stretched, 0.05 / stretched)
        << "not stretched as the card makes it";

    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    EXPECT_FALSE(yw::IsChecked(dialog, IDC_FIT));
    yw::Press(dialog, IDC_FIT);
    ASSERT_TRUE(Close(IDOK));
    PostMessageA(window, WM_COMMAND, IDM_MORE, 0);
    ASSERT_TRUE(WaitBoard({}));
    EXPECT_NEAR(TurnedCircle(&turnedToo), 1.0, 0.05) << "the circle not round";
    EXPECT_TRUE(turned || turnedToo) << "no turn seen";

    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(game->EndedWell());
    // Cards 0 and 1 may have been a pair: the round kept at Exit would come back with them found.
    RegDeleteTreeA(HKEY_CURRENT_USER, (std::string(yw::SettingsKey) + "\\Round").c_str());
    SetAnimation(FALSE);
    ASSERT_TRUE(Start(1) && WaitBoard({}));
    EXPECT_NEAR(TurnedCircle(&turned), 1.0, 0.05) << "the circle not round after a start";
    EXPECT_FALSE(turned) << "a turn drawn with animation off";
    SetAnimation(TRUE);
}

// Two players: every found pair is framed in its finder's colour, both cards alike. One player: no
// found card is framed. (A missed pair's lack of one is the colour rule's unit test.)
TEST_F(CardLooks, FoundPairsFramedInTheFindersColourWhenTwoOrMorePlay) {
    AddPictures(true);
    yw::WriteSettings(folder.Path(), 1);
    for (const DWORD players : {2u, 1u}) {
        yw::WriteSettingNumber("Players", players);
        ASSERT_TRUE(Start(1));
        // The bar shows once the window has grown by its height: only then is the board laid out.
        const HWND shown = players == 2 ? FindBar() : nullptr;
        RECT strip = {};
        below = shown != nullptr && GetWindowRect(shown, &strip) ? strip.bottom - strip.top : 0;
        Layout(1);
        ASSERT_TRUE(WaitBoard({}));
        ASSERT_GE(PlayRound(), 0);
        ASSERT_TRUE(Opened(0, "Yorewind"));
        std::map<uint32_t, uint32_t> frames; // of each picture
        for (int i = 0; i < rows * columns; ++i) {
            const uint32_t frame = FrameOf(i);
            EXPECT_TRUE(players == 1 ? frame == 0 : frame == SeatBlue || frame == SeatOrange)
                << players << " players, card " << i;
            EXPECT_EQ(frames.emplace(seen[i], frame).first->second, frame) << "a pair framed in two colours";
        }
    }
}

} // namespace
