// The real Yorewind.exe at 96 and 144 DPI: the window's size, the board drawn at its true pixel
// size, faces as sharp as a fresh decode, clicks on card edges, a resize and a DPI change.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "game/CellGeometry.h"
#include "pictures/PictureDecoder.h"
#include "tests/driver/Driver.h"

namespace {

const uint32_t CardBack = 0xC483FF;
const int Rows = 6, Columns = 6; // level 4

// HKCU\Control Panel\Desktop LogPixels for the processes started while it lives; the value there
// was is put back after.
struct ScopedLogPixels {
    explicit ScopedLogPixels(DWORD dpi) {
        DWORD size = sizeof(Old);
        Had = RegGetValueA(HKEY_CURRENT_USER, Key, "LogPixels", RRF_RT_REG_DWORD, nullptr, &Old, &size) == 0;
        RegSetKeyValueA(HKEY_CURRENT_USER, Key, "LogPixels", REG_DWORD, &dpi, sizeof(dpi));
    }
    ~ScopedLogPixels() {
        if (Had)
            RegSetKeyValueA(HKEY_CURRENT_USER, Key, "LogPixels", REG_DWORD, &Old, sizeof(Old));
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, Key, "LogPixels");
    }
    static constexpr const char* Key = "Control Panel\\Desktop";
    DWORD Old = 0;
    bool Had = false;
};

// A 24-bit BMP of 480x360: red across, green down, and blue a triangle wave along the diagonal
// whose phase tells the 18 pictures apart; a blurred or shifted copy is off by far more than a
// fresh decode.
void WriteGradient(const std::string& path, int phase) {
    const int width = 480, height = 360, rowBytes = width * 3;
    std::string file(54 + size_t(rowBytes) * height, '\0');
    const auto put = [&](size_t at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + i] = char(value >> (8 * i));
    };
    put(0, 'B' | 'M' << 8, 2);
    put(2, uint32_t(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int t = (x + y + phase) % 240;
            const size_t at = 54 + size_t(height - 1 - y) * rowBytes + size_t(x) * 3;
            file[at] = char(std::abs(t - 120) * 255 / 120);
            file[at + 1] = char(y * 255 / (height - 1));
            file[at + 2] = char(x * 255 / (width - 1));
        }
    std::ofstream(std::filesystem::u8path(path), std::ios::binary) << file;
}

class Dpi : public testing::Test {
protected:
    void SetUp() override {
        yw::ClearSettings();
        for (int i = 0; i < 18; ++i)
            WriteGradient(folder.File("g" + std::to_string(i) + ".bmp"), i * 12);
        yw::WriteSettings(folder.Path(), 4);
    }

    bool Start() {
        game.reset();
        game = std::make_unique<yw::GameProcess>(yw::ProgramFolder() + "\\Yorewind.exe");
        window = yw::WaitForWindow(game->Id(), "Yorewind", nullptr);
        if (window == nullptr || !Read())
            return false;
        // The deal laid the board out on the client in 96-DPI units.
        pitch = {(std::min(int(client.right * 96 / dpi), 800) + 12) / Columns,
                 (std::min(int(client.bottom * 96 / dpi), 600) + 12) / Rows};
        return yw::WaitUntil([&] { return Read() && CardAt(0) == CardBack; });
    }

    // The client as the screen shows it now; false when the client is empty.
    bool Read() {
        GetClientRect(window, &client);
        pixels = yw::ScreenPixels(window, client);
        // The client's part on the screen (a 1600x1200 client may reach past it).
        POINT corner = {0, 0};
        ClientToScreen(window, &corner);
        visible = {std::min<LONG>(client.right, GetSystemMetrics(SM_CXSCREEN) - corner.x),
                   std::min<LONG>(client.bottom, GetSystemMetrics(SM_CYSCREEN) - corner.y)};
        return client.right > 0;
    }
    uint32_t At(int x, int y) const { return pixels[size_t(y) * client.right + x]; }

    // Card i (row by row) where the board's units fall on the client's pixels.
    PixelRect Card(int i) const {
        return BoardToPixels(CellRect(i % Columns, i / Columns, pitch.x, pitch.y), client.right, client.bottom);
    }
    uint32_t CardAt(int i) const { return At(Card(i).Left, Card(i).Top); }

    // Every face-down card on the screen fills its rectangle exactly: its corners are the card back,
    // the pixels left of it and above it are the gap's black. Reports the first card that is not.
    bool EdgesRight(const std::vector<int>& up) {
        int wrong = -1;
        const bool right = yw::WaitUntil([&] {
            if (!Read())
                return false;
            for (int i = 0; i < Rows * Columns; ++i) {
                const PixelRect r = Card(i);
                if (std::count(up.begin(), up.end(), i) || r.Bottom > visible.y || r.Right > visible.x)
                    continue;
                wrong = i;
                if (!yw::Near(At(r.Left, r.Top), CardBack, 0) || !yw::Near(At(r.Right - 1, r.Bottom - 1), CardBack, 0) ||
                    At(r.Left - 1, r.Top) != 0 || At(r.Left, r.Top - 1) != 0)
                    return false;
            }
            return true;
        });
        if (!right)
            ADD_FAILURE() << "card " << wrong << " of a " << client.right << "x" << client.bottom << " client at "
                          << dpi << " DPI";
        return right;
    }

    // The largest channel difference between face-up card i and a fresh decode of the picture it
    // shows at its drawn size, over its pixels on the screen; the picture is the closest of the 18.
    int FaceError(int i) {
        const PixelRect r = Card(i);
        int best = 255;
        for (int k = 0; k < 18; ++k) {
            std::vector<uint32_t> decoded;
            const std::string path = folder.File("g" + std::to_string(k) + ".bmp");
            if (!DecodePicture(path.c_str(), r.Right - r.Left, r.Bottom - r.Top, &decoded))
                return 256;
            int worst = 0;
            for (int y = r.Top; y < std::min<int>(r.Bottom, visible.y) && worst < best; ++y)
                for (int x = r.Left; x < std::min<int>(r.Right, visible.x); ++x) {
                    const uint32_t a = At(x, y), b = decoded[size_t(y - r.Top) * (r.Right - r.Left) + x - r.Left];
                    for (int shift = 0; shift < 24; shift += 8)
                        worst = std::max(worst, std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)));
                }
            best = std::min(best, worst);
        }
        return best;
    }

    // Clicks the first pixel inside card a's left and top edges and the last inside card b's right
    // and bottom edges, and waits until both are up.
    bool TurnAtEdges(int a, int b) {
        yw::Click(window, {Card(a).Left, Card(a).Top});
        yw::Click(window, {Card(b).Right - 1, Card(b).Bottom - 1}, true);
        return yw::WaitUntil([&] { return Read() && CardAt(a) != CardBack && CardAt(b) != CardBack; });
    }

    yw::TempFolder folder;
    std::unique_ptr<yw::GameProcess> game;
    HWND window = nullptr;
    RECT client = {};
    POINT pitch = {}; // of the deal, in board units
    POINT visible = {};
    std::vector<uint32_t> pixels;
    int dpi = 96;
};

// At 144 DPI the client is 1.5 times the one at 96; at both, and after a resize to 1600x1200 and a
// DPI change, every card sits on its pixels, clicks just inside its edges turn it, and a face is a
// fresh decode of its picture at the card's size, not a blurred or shifted one.
TEST_F(Dpi, TheBoardIsDrawnAtTheWindowsTruePixelSize) {
    RECT client96 = {};
    for (int logPixels : {96, 144}) {
        const ScopedLogPixels scoped(logPixels);
        dpi = logPixels;
        ASSERT_TRUE(Start()) << dpi;
        if (dpi == 96) {
            client96 = client;
        } else {
            EXPECT_EQ(client.right, client96.right * 3 / 2);
            EXPECT_EQ(client.bottom, client96.bottom * 3 / 2);
        }
        EXPECT_TRUE(EdgesRight({}));
        ASSERT_TRUE(TurnAtEdges(7, 21)) << dpi;
        EXPECT_TRUE(EdgesRight({7, 21}));
        EXPECT_LE(FaceError(7), 8) << dpi;
        EXPECT_LE(FaceError(21), 8) << dpi;
        if (dpi == 96)
            continue;

        // A larger client (its corner on the screen's) and the cards remade for it.
        RECT frame = {0, 0, 1600, 1200};
        AdjustWindowRectExForDpi(&frame, GetWindowLongA(window, GWL_STYLE), TRUE, GetWindowLongA(window, GWL_EXSTYLE),
                                 dpi);
        SetWindowPos(window, nullptr, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOZORDER);
        ASSERT_TRUE(yw::WaitUntil([&] { return Read() && client.right == 1600 && client.bottom == 1200; }));
        EXPECT_TRUE(EdgesRight({7, 21}));
        EXPECT_LE(FaceError(7), 8);
        EXPECT_LE(FaceError(21), 8);

        // Wine sends no WM_DPICHANGED: one with its rectangle written into the game's memory.
        const RECT suggested = {40, 30, 1040, 830};
        void* remote = VirtualAllocEx(game->Info.hProcess, nullptr, sizeof(suggested), MEM_COMMIT, PAGE_READWRITE);
        ASSERT_NE(remote, nullptr);
        WriteProcessMemory(game->Info.hProcess, remote, &suggested, sizeof(suggested), nullptr);
        SendMessageTimeoutA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, yw::WaitMs, nullptr);
        RECT placed = {};
        GetWindowRect(window, &placed);
        EXPECT_TRUE(EqualRect(&placed, &suggested))
            << placed.left << "," << placed.top << " " << placed.right << "," << placed.bottom;
        EXPECT_TRUE(EdgesRight({7, 21}));
        EXPECT_LE(FaceError(7), 8);
        EXPECT_LE(FaceError(21), 8);
    }
}

} // namespace
