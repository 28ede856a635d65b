// The real Yorewind.exe at 96 and 144 DPI: the window's size, the board drawn at its true pixel
// size, faces as sharp as a fresh decode, clicks on card edges.
#include "pictures/PictureDecoder.h"
#include "tests/e2e/Journey.h"

namespace {

class Dpi : public Journey {
protected:
    // The build's 18 gradients, of 480x360.
    void SetUp() override {
        Journey::SetUp();
        for (int k = 0; k < 18; ++k)
            CopyIn("gradients\\g" + std::to_string(k) + ".bmp", "g" + std::to_string(k) + ".bmp");
        yw::WriteSettings(folder.Path(), 4);
    }
    std::string Gradient(int k) const { return folder.File("g" + std::to_string(k) + ".bmp"); }

    // The client as the screen shows it now (which holds a 1600x1200 one); false when it is empty.
    bool Read() {
        GetClientRect(window, &client);
        pixels = yw::ScreenPixels(window, client);
        return client.right > 0;
    }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * client.right + x]; }

    // Whether the pixels of r in the client are those of one of the 18 pictures freshly decoded at
    // the board's largest card size (a card a pixel smaller shows its top-left part), within 8 a
    // channel: a blurred or shifted copy is off by far more.
    bool FaceRight(const PixelRect& r) const {
        const PixelSize card = LargestCard({columns, rows, client.right, client.bottom});
        for (int k = 0; k < 18; ++k) {
            std::vector<uint32_t> decoded;
            bool same =
                DecodePicture(Gradient(k).c_str(), card.Width, card.Height, PictureFit::Stretch, &decoded);
            for (int y = r.Top; same && y < r.Bottom; ++y)
                for (int x = r.Left; same && x < r.Right; ++x)
                    same = yw::Near(At(x, y), decoded[size_t(y - r.Top) * card.Width + (x - r.Left)], 8);
            if (same)
                return true;
        }
        return false;
    }

    // Waits until every card is right: those in up show their faces, every other one fills its
    // rectangle exactly (the card back in its corners, the gap's black left of it and above it), the
    // last column and row to the client's edges. Reports the first card that is not.
    bool BoardRight(const std::vector<int>& up) {
        int i = 0;
        const bool right = yw::WaitUntil([&] {
            if (!Read())
                return false;
            for (i = 0; i < rows * columns; ++i) {
                const PixelRect r = Card(i);
                if (std::count(up.begin(), up.end(), i)
                        ? !FaceRight(r)
                        : At(r.Left, r.Top) != CardBack || At(r.Left - 1, r.Top) != 0 ||
                              At(r.Right - 1, r.Bottom - 1) != CardBack || At(r.Left, r.Top - 1) != 0)
                    return false;
            }
            return true;
        });
        if (!right)
            ADD_FAILURE() << "card " << i << " of a " << client.right << "x" << client.bottom << " client";
        return right;
    }

    std::vector<uint32_t> pixels;
    ScopedLogPixels desktop;
};

// At 144 DPI the client is 1.5 times the one at 96; at both, every card sits on its pixels and a
// face is a fresh decode of its picture at the card's size. Clicks on the last pixel inside a card's
// edges, and on the first inside those of the last card, turn them.
TEST_F(Dpi, TheBoardIsDrawnAtTheWindowsTruePixelSize) {
    RECT client96 = {};
    for (const int dpi : {96, 144}) {
        desktop.Set(dpi);
        ASSERT_TRUE(Start(4) && BoardRight({})) << dpi;
        if (dpi == 96)
            client96 = client;
        EXPECT_EQ(std::make_pair(client.right, client.bottom),
                  std::make_pair(client96.right * dpi / 96, client96.bottom * dpi / 96));
        yw::Click(window, {Card(35).Left, Card(35).Top});
        yw::Click(window, {Card(21).Right - 1, Card(21).Bottom - 1}, true);
        EXPECT_TRUE(BoardRight({35, 21})) << dpi;
    }
}

} // namespace
