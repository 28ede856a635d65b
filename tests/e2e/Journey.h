// The fixture every end-to-end journey shares: a game on a folder of the build's pictures, the
// board read from the screen, rounds played by sight, dialogs read then closed.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "res/resource.h"
#include "rules/CellGeometry.h"
#include "rules/Deal.h"
#include "tests/driver/Driver.h"

inline const uint32_t CardBack = 0xC483FF;

// IID_IAccessible, defined here: liboleacc and libuuid would both bring it into a static link.
inline const IID AccessibleIid = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

// The board as a screen reader's MSAA client gets it (COM initialised); null when it cannot.
inline IAccessible* BoardObject(HWND window) {
    IAccessible* board = nullptr;
    return SUCCEEDED(AccessibleObjectFromWindow(window, OBJID_CLIENT, AccessibleIid,
                                                reinterpret_cast<void**>(&board)))
               ? board
               : nullptr;
}
// Card i (row by row) as the board's child.
inline VARIANT CardChild(int i) {
    VARIANT child = {};
    child.vt = VT_I4;
    child.lVal = i + 1;
    return child;
}
// What a screen reader hears of card i: its name, or its default action.
inline std::string CardHeard(IAccessible* board, int i, bool action = false) {
    BSTR text = nullptr;
    if (board != nullptr)
        action ? board->get_accDefaultAction(CardChild(i), &text) : board->get_accName(CardChild(i), &text);
    const std::string heard = text != nullptr ? yw::Utf8(text) : "";
    SysFreeString(text);
    return heard;
}

// HKCU\Control Panel\Desktop LogPixels, set for the processes started after Set; the value there
// was is put back when this goes.
struct ScopedLogPixels {
    ScopedLogPixels() {
        had = RegGetValueA(HKEY_CURRENT_USER, Desktop, "LogPixels", RRF_RT_REG_DWORD, nullptr, &old, &size) == 0;
    }
    ~ScopedLogPixels() { had ? Set(old) : void(RegDeleteKeyValueA(HKEY_CURRENT_USER, Desktop, "LogPixels")); }
    void Set(DWORD value) { RegSetKeyValueA(HKEY_CURRENT_USER, Desktop, "LogPixels", REG_DWORD, &value, sizeof(value)); }
    static constexpr const char* Desktop = "Control Panel\\Desktop";
    DWORD old = 0, size = sizeof(DWORD);
    bool had = false;
};

class Journey : public testing::Test {
protected:
    void SetUp() override { yw::ClearSettings(); }

    // A file of the build's folder copied into the picture folder under the name.
    void CopyIn(const std::string& from, const std::string& name) {
        std::filesystem::copy_file(yw::ProgramFolder() + "\\" + from, std::filesystem::u8path(folder.File(name)),
                                   std::filesystem::copy_options::overwrite_existing);
    }

    // The build's 12 JPEG, PNG, GIF and WebP pictures (too few alone) and, when asked, its 6 BMPs.
    void AddPictures(bool bmps) {
        for (const auto& made :
             std::filesystem::directory_iterator(yw::ProgramFolder() + "\\test-pictures")) {
            const std::string name = made.path().filename().string();
            if (bmps || made.path().extension() != ".bmp") {
                CopyIn("test-pictures\\" + name, name);
                colours.push_back(std::stoul(name, nullptr, 16));
            }
        }
    }

    bool Start(int level, const std::string& arguments = "") {
        game.reset();
        game = std::make_unique<yw::GameProcess>(yw::ProgramFolder() + "\\Yorewind.exe", arguments);
        window = yw::WaitForWindow(game->Id(), "Yorewind", nullptr);
        Layout(level);
        return window != nullptr;
    }

    // A game on a folder of all 18 pictures, stored with the level, and its deal shown.
    bool StartDealt(int level) {
        AddPictures(true);
        yw::WriteSettings(folder.Path(), level);
        return Start(level) && WaitBoard({});
    }

    // The level's grid on the board's part of the client now.
    void Layout(int level) {
        GetClientRect(window, &client);
        client.bottom -= below;
        GridForLevel(level, &rows, &columns);
        seen.clear();
        found.assign(rows * columns, false);
    }

    // Card i (row by row) on the board.
    PixelRect Card(int i) const {
        return CardRect({columns, rows, client.right, client.bottom}, i % columns, i / columns);
    }
    // The centre of card i, or a point of the gap left of it (1) or above it (2).
    POINT Centre(int i, int gap = 0) const {
        const PixelRect r = Card(i);
        return {gap == 1 ? r.Left - 2 : (r.Left + r.Right) / 2,
                gap == 2 ? r.Top - 2 : (r.Top + r.Bottom) / 2};
    }
    uint32_t Pixel(int i, int gap = 0) const { return yw::ScreenPixel(window, Centre(i, gap)); }
    // The folder's picture that a pixel shows; 1 (no picture's colour) when none.
    uint32_t PictureOf(uint32_t rgb) const {
        const auto match =
            std::find_if(colours.begin(), colours.end(), [rgb](uint32_t c) { return yw::Near(rgb, c); });
        return match == colours.end() ? 1 : *match;
    }

    // Waits until found cards and those in up show their pictures, all others their back, and
    // every gap is black; a card seen for the first time must show one of the folder's pictures, the deal's
    // when known. A board that never comes right is described: the first card that differs and its gaps.
    bool WaitBoard(const std::set<int>& up) {
        int wrong = -1;
        const bool shows = yw::WaitUntil([&] {
            for (int i = 0; i < rows * columns; ++i) {
                const uint32_t picture = PictureOf(Pixel(i));
                wrong = i;
                if (!yw::Near(Pixel(i, 1), 0) || !yw::Near(Pixel(i, 2), 0) ||
                    !(!found[i] && up.count(i) == 0 ? yw::Near(Pixel(i), CardBack)
                      : seen.count(i)               ? picture == seen[i]
                                                    : picture != 1 && (deal.empty() || picture == deal[i])))
                    return false;
            }
            return true;
        });
        for (int i : up)
            seen.emplace(i, PictureOf(Pixel(i)));
        if (!shows) {
            int backs = 0;
            for (int i = 0; i < rows * columns; ++i)
                backs += yw::Near(Pixel(i), CardBack) ? 1 : 0;
            ADD_FAILURE() << "card " << wrong << " of a " << client.right << "x" << client.bottom
                          << " client, the window active " << (GetForegroundWindow() == window) << ", shows "
                          << std::hex << Pixel(wrong) << ", its gaps " << Pixel(wrong, 1) << " "
                          << Pixel(wrong, 2) << std::dec << "; " << backs << " of " << rows * columns
                          << " cards show their back";
        }
        return shows;
    }

    void ClickCell(int i) { yw::Click(window, Centre(i), ++clicks % 2 == 0); }
    // How a round turns a card: a click here, keys or a screen reader elsewhere.
    virtual void TurnCell(int i) { ClickCell(i); }

    // Keeps a level-1 round of the folder's first eight pictures for the next start to take up, one
    // try made and nothing found, its pairs side by side: a deal where trying each card with the
    // next finds every pair without a miss. The journey plays from the deal it knows, not by luck.
    // Seats whose bit is set in computers are the computer's, as in the Computers setting.
    void KeepRunThroughDeal(const std::vector<std::string>& names, int computers = 0, DWORD strength = 2) {
        std::string cells;
        for (const auto& file : std::filesystem::directory_iterator(std::filesystem::u8path(folder.Path())))
            for (int twice = 0; twice < 2 && deal.size() < 16; ++twice) {
                cells += folder.File(file.path().filename().u8string()) + '\0';
                deal.push_back(std::stoul(file.path().filename().u8string(), nullptr, 16));
            }
        KeepDeal(1, cells, names, computers, strength);
    }

    // A value of the kept round, as the game writes it.
    static void PutKept(const char* name, DWORD type, const std::string& bytes) {
        const std::string key = std::string(yw::SettingsKey) + "\\Round";
        RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, type, bytes.data(), DWORD(bytes.size()));
    }

    // Keeps a round of the level whose cells show those paths (each ended by a zero), one try made
    // and nothing found, for the seats named.
    void KeepDeal(int level, const std::string& cells, const std::vector<std::string>& names, int computers = 0,
                  DWORD strength = 2) {
        std::string seats, computer;
        for (size_t seat = 0; seat < names.size(); ++seat) {
            seats += names[seat] + '\0';
            computer += char((computers >> seat) & 1);
        }
        int gridRows = 0, gridColumns = 0;
        GridForLevel(level, &gridRows, &gridColumns);
        PutKept("PicturePath", REG_SZ, folder.Path() + '\0');
        PutKept("Cells", REG_MULTI_SZ, cells + '\0');
        PutKept("Names", REG_MULTI_SZ, seats + '\0');
        PutKept("Found", REG_BINARY, std::string(size_t(gridRows * gridColumns), '\0'));
        PutKept("Computer", REG_BINARY, computer);
        PutKept("Scores", REG_BINARY, std::string(sizeof(DWORD) * names.size(), '\0'));
        // The level last, as the game writes it: a record without one is no round.
        const char* numbered[] = {"Subfolders", "Tries", "Time",    "Players",
                                  "Strength",   "Turn",  "Starter", "Level"};
        const DWORD numbers[] = {0, 1, 0, DWORD(names.size()), strength, 0, 0, DWORD(level)};
        for (int i = 0; i < 8; ++i)
            PutKept(numbered[i], REG_DWORD, std::string(reinterpret_cast<const char*>(&numbers[i]), sizeof(DWORD)));
    }

    // The second card of a try on card a. With the deal known: a's pair, or a card known to differ
    // when a miss is asked. Otherwise the card seen showing a's picture, else the next not seen.
    int Partner(int a, bool miss) {
        int b = -1;
        for (int i = 0; i < rows * columns && !deal.empty() && b < 0; ++i)
            b = i != a && !found[i] && (deal[i] == deal[a]) != miss ? i : -1;
        for (const auto& cell : seen)
            b = b < 0 && cell.first != a && !found[cell.first] && cell.second == seen[a] ? cell.first : b;
        for (int i = a + 1; b < 0; ++i)
            b = found[i] || seen.count(i) ? -1 : i;
        return b;
    }

    // Plays a round by sight (every other click with the right button), and returns its tries with
    // the question open (-1 when the board went wrong); with the deal known, one miss on purpose
    // after the first pair found. Until a miss after a found pair, if asked: that missed pair stays
    // up.
    int PlayRound(bool untilMiss = false) {
        const int cells = rows * columns;
        int tries = 0;
        bool missed = false;
        for (int a = 0; a < cells; ++a) {
            if (found[a])
                continue;
            TurnCell(a);
            if (seen.count(a) == 0 && !WaitBoard({a}))
                return -1;
            const int b = Partner(a, !missed && std::count(found.begin(), found.end(), true) > 0);
            TurnCell(b);
            ++tries;
            if (std::count(found.begin(), found.end(), true) == cells - 2)
                return tries;
            if (!WaitBoard({a, b}))
                return -1;
            found[a] = found[b] = seen[a] == seen[b];
            missed = missed || !found[a];
            if (untilMiss && !found[a] && std::count(found.begin(), found.end(), true) > 0)
                return tries;
            if (!found[a])
                TurnCell(b); // the second card of a miss turns the pair back, as the next try checks
        }
        return tries;
    }

    // A game whose status bar shows, the board laid out above it and, if asked, its deal shown.
    bool StartWithBar(int level, bool dealt = true) {
        if (!Start(level) || (bar = FindBar()) == nullptr)
            return false;
        below = BarUnderClient();
        Layout(level);
        // The board is read off the screen: nothing of an earlier game may stand over it.
        SetForegroundWindow(window);
        return !dealt || WaitBoard({});
    }

    // Posts the menu command (unless 0), as the menu or an accelerator sends it, then waits for the
    // dialog or box with the caption, which becomes the one the test reads and closes.
    bool Opened(int command, const char* caption) {
        if (command != 0)
            PostMessageA(window, WM_COMMAND, command, 0);
        return (dialog = yw::WaitForDialog(game->Id(), caption)) != nullptr;
    }

    // Presses a button of that dialog or box and waits until it is destroyed: its modal loop has
    // then ended, so the next command reaches the game's own loop, not a dialog on its way out.
    bool Close(int button) {
        yw::Press(dialog, button);
        return yw::WaitUntil([this] { return !IsWindow(dialog); });
    }

    // The round's question, its tries named, answered with the button.
    void Answer(int tries, int button) {
        ASSERT_TRUE(Opened(0, "Yorewind")) << "no question at the end of the round";
        EXPECT_EQ(yw::MessageText(dialog), "You Made it in " + std::to_string(tries) +
                                               " Tries.\nRecall old lovely Days?\nDo it Again?");
        ASSERT_TRUE(Close(button));
    }

    // How many of the folder's pictures the cards turned so far showed.
    size_t PicturesSeen() const {
        std::set<uint32_t> shown;
        for (const auto& card : seen)
            shown.insert(card.second);
        return shown.size();
    }

    // Once the game has ended with code 0, the settings hold the folder and the level.
    bool StoredLevel(int level) {
        return game->EndedWell() &&
               yw::StoredSettings() == folder.Path() + " at level " + std::to_string(level);
    }

    // The status bar where screen readers look for a window's: the game window's shown child of
    // that id and class.
    HWND FindBar(DWORD timeoutMs = yw::WaitMs) {
        HWND shown = nullptr;
        const bool came = yw::WaitUntil(
            [&] {
                char name[64] = "";
                shown = GetDlgItem(window, IDC_STATUSBAR);
                return shown != nullptr && IsWindowVisible(shown) &&
                       GetClassNameA(shown, name, sizeof(name)) > 0 && lstrcmpiA(name, STATUSCLASSNAMEA) == 0;
            },
            timeoutMs);
        return came ? shown : nullptr;
    }

    // The status bar's parts, read with SB_GETTEXTW into memory of the game's process.
    std::vector<std::string> BarParts(HWND of) {
        std::vector<std::string> parts;
        const HANDLE process = game->Info.hProcess;
        wchar_t* remote = static_cast<wchar_t*>(
            VirtualAllocEx(process, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
        const int count = int(SendMessageW(of, SB_GETPARTS, 0, 0));
        for (int part = 0; part < count; ++part) {
            wchar_t text[1024] = L"";
            SendMessageW(of, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote));
            ReadProcessMemory(process, remote, text, sizeof(text) - sizeof(wchar_t), nullptr);
            parts.push_back(yw::Utf8(text));
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        return parts;
    }

    // The bar's height, once it lies along the client's bottom edge, its whole width.
    int BarUnderClient() {
        RECT barRect, clientRect;
        GetWindowRect(bar, &barRect);
        GetClientRect(window, &clientRect);
        POINT corner = {clientRect.right, clientRect.bottom};
        ClientToScreen(window, &corner);
        EXPECT_EQ(barRect.bottom, corner.y) << "the bar is not at the client's bottom";
        EXPECT_EQ(barRect.right - barRect.left, clientRect.right);
        return barRect.bottom - barRect.top;
    }

    // Named in several scripts: every journey finds, deals, shows and stores such a folder whole.
    yw::TempFolder folder{" F\xC3\xB3tos \xC5\x81\xC3\xB3"
                          "d\xC5\xBA \xE6\x97\xA5\xE6\x9C\xAC"};
    std::vector<uint32_t> colours;         // of the pictures
    std::unique_ptr<yw::GameProcess> game; // its end kills a game that a failed step left running
    HWND window = nullptr, dialog = nullptr, bar = nullptr;
    RECT client = {};
    int rows = 0, columns = 0, clicks = 0;
    int below = 0;                // client rows under the board, a status bar's
    std::map<int, uint32_t> seen; // the picture of each card turned up so far
    std::vector<uint32_t> deal;   // each card's picture, row by row, when the journey knows the deal
    std::vector<bool> found;
};
