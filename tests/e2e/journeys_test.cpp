// The real Yorewind.exe played from outside as a player would: start-up, whole rounds, the menus.
// Clicks go through SendInput, the board is read from the screen, dialogs are read then pressed.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "res/resource.h"
#include "tests/driver/Driver.h"

namespace {

const uint32_t CardBack = 0xC483FF;
const int Grids[5][2] = {{0, 0}, {4, 4}, {5, 4}, {6, 5}, {6, 6}}; // rows and columns by level
// Far from the card back, from black, from each other and from the JPEG and PNG pictures.
const uint32_t BmpColours[] = {0x800000, 0x008000, 0x000080, 0x808000, 0x008080, 0x800080};

std::string ExeFolder() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string exe = path;
    return exe.substr(0, exe.find_last_of('\\'));
}

class Journey : public testing::Test {
protected:
    void SetUp() override { yw::ClearSettings(); }
    void TearDown() override {
        game.reset(); // kills a game that a failed step left running
        yw::ClearSettings();
    }

    // Adds pictures until the folder holds count: first the JPEG and PNG files made at build time
    // (each named by its colour), then BMPs.
    void FillFolder(size_t count) {
        WIN32_FIND_DATAA found;
        const std::string made = ExeFolder() + "\\e2e-pictures\\";
        HANDLE search = FindFirstFileA((made + "*.*g").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more && colours.size() < count;
             more = FindNextFileA(search, &found)) {
            if (CopyFileA((made + found.cFileName).c_str(), folder.File(found.cFileName).c_str(), TRUE))
                colours.push_back(std::stoul(found.cFileName, nullptr, 16));
        }
        FindClose(search);
        for (uint32_t rgb : BmpColours) {
            if (colours.size() < count && GetFileAttributesA(folder.File(std::to_string(rgb) + ".bmp").c_str()) ==
                                              INVALID_FILE_ATTRIBUTES) {
                yw::WriteBmp(folder.File(std::to_string(rgb) + ".bmp"), 64, 48, rgb);
                colours.push_back(rgb);
            }
        }
    }

    bool Start(int level) {
        game = std::make_unique<yw::GameProcess>(ExeFolder() + "\\Yorewind.exe");
        window = yw::WaitForWindow(game->Id(), "Yorewind", nullptr);
        Layout(level);
        return window != nullptr;
    }

    // The grid of the level on the window's client: the back buffer of 800 by 600 is stretched
    // onto the client, and the pitch is that of a client at most that size, 12 pixels larger.
    void Layout(int level) {
        RECT client;
        GetClientRect(window, &client);
        clientSize = {client.right, client.bottom};
        rows = Grids[level][0];
        columns = Grids[level][1];
        cellWidth = (std::min<int>(client.right, 800) + 12) / columns;
        cellHeight = (std::min<int>(client.bottom, 600) + 12) / rows;
        seen.clear();
        found.assign(rows * columns, false);
    }

    POINT ToClient(int x, int y) const {
        return {x * clientSize.x / 800, y * clientSize.y / 600};
    }
    // The centre of the drawn part of cell i (cells counted row by row).
    POINT Centre(int i) const {
        const int c = i % columns, r = i / columns;
        return ToClient((c * cellWidth + 4 + std::min((c + 1) * cellWidth, 800)) / 2,
                        (r * cellHeight + 4 + std::min((r + 1) * cellHeight, 600)) / 2);
    }
    uint32_t Pixel(POINT point) const { return yw::ScreenPixel(window, point); }
    bool IsPicture(uint32_t rgb) const {
        for (uint32_t colour : colours)
            if (yw::Near(rgb, colour))
                return true;
        return false;
    }

    // Every card shows its back, and the gaps left of and above every card are black.
    bool WaitDeal() {
        return yw::WaitUntil([this] {
            for (int i = 0; i < rows * columns; ++i) {
                const int c = i % columns, r = i / columns;
                const POINT centre = Centre(i);
                if (!yw::Near(Pixel(centre), CardBack) ||
                    !yw::Near(Pixel({ToClient(c * cellWidth + 2, 0).x, centre.y}), 0) ||
                    !yw::Near(Pixel({centre.x, ToClient(0, r * cellHeight + 2).y}), 0))
                    return false;
            }
            return true;
        });
    }

    // Waits until found cards and the cards in up show their pictures and all others their back;
    // a picture seen for the first time must be one of the folder's and is remembered.
    bool WaitBoard(const std::set<int>& up) {
        std::map<int, uint32_t> shown;
        const bool ok = yw::WaitUntil([&] {
            shown.clear();
            for (int i = 0; i < rows * columns; ++i) {
                const uint32_t rgb = Pixel(Centre(i));
                if (!found[i] && up.count(i) == 0 ? !yw::Near(rgb, CardBack)
                                                  : seen.count(i) ? !yw::Near(rgb, seen[i]) : !IsPicture(rgb))
                    return false;
                shown[i] = rgb;
            }
            return true;
        });
        for (int i : up)
            seen.emplace(i, shown[i]);
        return ok;
    }

    void ClickCell(int i) { yw::Click(window, Centre(i), ++clicks % 2 == 0); }

    // Plays a round by sight, every other click with the right button, and returns its tries
    // with the question open. After a miss it clicks the first card again, which must change
    // nothing, then a face-down card, which turns the pair back and nothing up: the next try's
    // wait checks all three.
    int PlayRound() {
        const int cells = rows * columns;
        int tries = 0;
        for (int a = 0; a < cells; ++a) {
            if (found[a])
                continue;
            ClickCell(a);
            if (!WaitBoard({a}))
                return Fail("card " + std::to_string(a) + " up alone");
            int b = -1;
            for (const auto& cell : seen)
                if (cell.first != a && !found[cell.first] && yw::Near(cell.second, seen[a]))
                    b = cell.first;
            for (int i = a + 1; b < 0; ++i)
                if (!found[i] && seen.count(i) == 0)
                    b = i;
            ++tries;
            ClickCell(b);
            if (std::count(found.begin(), found.end(), true) == cells - 2)
                return tries;
            if (!WaitBoard({a, b}))
                return Fail("cards " + std::to_string(a) + " and " + std::to_string(b) + " up");
            if (yw::Near(seen[a], seen[b])) {
                found[a] = found[b] = true;
                continue;
            }
            int next = a + 1, elsewhere = cells - 1;
            while (found[next])
                ++next;
            while (found[elsewhere] || elsewhere == a || elsewhere == b || elsewhere == next)
                --elsewhere;
            ClickCell(a);
            ClickCell(elsewhere);
        }
        return tries;
    }

    int Fail(const std::string& wanted) {
        std::string board;
        for (int i = 0; i < rows * columns; ++i) {
            char text[16];
            sprintf(text, "%s%06x", i % columns ? " " : "\n", static_cast<unsigned>(Pixel(Centre(i))));
            board += text;
        }
        ADD_FAILURE() << "the board does not show " << wanted << ":" << board;
        return -1;
    }

    std::string Question(int tries) const {
        return "You Made it in " + std::to_string(tries) + " Tries.\nRecall old lovely Days?\nDo it Again?";
    }

    yw::TempFolder folder;
    std::vector<uint32_t> colours;
    std::unique_ptr<yw::GameProcess> game;
    HWND window = nullptr;
    POINT clientSize = {};
    int rows = 0, columns = 0, cellWidth = 0, cellHeight = 0, clicks = 0;
    std::map<int, uint32_t> seen; // the picture of each cell turned up so far
    std::vector<bool> found;
};

// A first run asks for a folder, refuses one with too few pictures and asks again; once the
// folder holds enough, the chosen level is dealt, and Exit stores both settings.
TEST_F(Journey, StartUp) {
    FillFolder(5);
    ASSERT_TRUE(Start(2)) << "no main window";
    HWND options = yw::WaitForDialog(game->Id(), "Yorewind");
    ASSERT_NE(options, nullptr) << "no Options dialog on a first run";
    EXPECT_EQ(yw::ItemText(options, IDC_PICTUREPATH), "Where Do You Want to Go?");
    EXPECT_TRUE(yw::IsChecked(options, IDC_LEVEL_EASY));
    yw::SetItemText(options, IDC_PICTUREPATH, folder.Path());
    yw::Press(options, IDOK);
    ASSERT_TRUE(yw::WaitClosed(options));

    HWND box = yw::WaitForDialog(game->Id(), "Yorewind. Error");
    ASSERT_NE(box, nullptr) << "5 pictures taken as enough";
    EXPECT_EQ(yw::MessageText(box),
              "No enough images in the folder. \nAdd more pictures or change to another folder");
    yw::Press(box, IDOK);
    ASSERT_TRUE(yw::WaitClosed(box));

    FillFolder(18);
    options = yw::WaitForDialog(game->Id(), "Yorewind");
    ASSERT_NE(options, nullptr) << "no Options dialog after too few pictures";
    EXPECT_EQ(yw::ItemText(options, IDC_PICTUREPATH), folder.Path());
    yw::Press(options, IDC_LEVEL_NORMAL);
    yw::Press(options, IDOK);
    EXPECT_TRUE(WaitDeal()) << "no 5 by 4 deal";

    yw::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(game->WaitExit());
    std::string path;
    DWORD level = 0;
    ASSERT_TRUE(yw::ReadSettings(&path, &level)) << "no settings stored at Exit";
    EXPECT_EQ(path, folder.Path());
    EXPECT_EQ(level, 2u);
}

// Two rounds on the largest board, which shows all 18 pictures of every kind: Yes deals afresh,
// No leaves the board up, and clicks then change nothing and ask nothing.
TEST_F(Journey, WholeRounds) {
    FillFolder(18);
    yw::WriteSettings(folder.Path(), 4);
    ASSERT_TRUE(Start(4)) << "no main window";
    ASSERT_TRUE(WaitDeal());
    for (int answer : {IDYES, IDNO}) {
        const int tries = PlayRound();
        ASSERT_GE(tries, 0);
        HWND question = yw::WaitForDialog(game->Id(), "Yorewind");
        ASSERT_NE(question, nullptr) << "no question at the end of the round";
        EXPECT_EQ(yw::MessageText(question), Question(tries));
        const auto shows = [this](uint32_t colour) {
            return std::any_of(seen.begin(), seen.end(), [colour](const auto& cell) { return yw::Near(cell.second, colour); });
        };
        EXPECT_EQ(std::count_if(colours.begin(), colours.end(), shows), 18) << "every picture dealt";
        found.assign(found.size(), true);
        yw::Press(question, answer);
        ASSERT_TRUE(yw::WaitClosed(question));
        if (answer == IDYES) {
            EXPECT_TRUE(WaitDeal()) << "Yes deals a fresh board";
            Layout(4);
        }
    }
    EXPECT_TRUE(WaitBoard({}));
    for (int i : {0, 7, 7, 35})
        ClickCell(i);
    yw::Settle(window, 20);
    EXPECT_EQ(yw::OpenDialogs(game->Id()), 0) << "a click after the round asked again";
    EXPECT_TRUE(WaitBoard({}));
    yw::PostCommand(window, IDM_EXIT);
    EXPECT_TRUE(game->WaitExit());
}

// Options changes the level for the next deal, which More makes; About, Donate and Exit.
TEST_F(Journey, Menus) {
    FillFolder(18);
    yw::WriteSettings(folder.Path(), 1);
    ASSERT_TRUE(Start(1)) << "no main window";
    ASSERT_TRUE(WaitDeal());

    yw::PostCommand(window, IDM_OPTIONS);
    HWND options = yw::WaitForDialog(game->Id(), "Yorewind");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(yw::ItemText(options, IDC_PICTUREPATH), folder.Path());
    yw::Press(options, IDC_LEVEL_HARD);
    yw::Press(options, IDOK);
    ASSERT_TRUE(yw::WaitClosed(options));
    yw::PostCommand(window, IDM_MORE);
    Layout(3);
    EXPECT_TRUE(WaitDeal()) << "no 6 by 5 deal after More";

    const struct {
        int Command;
        const char* Caption;
        const char* Text; // of a message box
    } boxes[] = {{IDM_ABOUT, "Yorewind", nullptr},
                 {IDM_DONATE, "Donate",
                  "Thank you for your support! please go to http://yorewind.example.org/games.htm and make a "
                  "donation there to support my work."}};
    for (const auto& step : boxes) {
        yw::PostCommand(window, step.Command);
        HWND box = yw::WaitForDialog(game->Id(), step.Caption);
        ASSERT_NE(box, nullptr) << step.Caption;
        if (step.Text != nullptr) {
            EXPECT_EQ(yw::MessageText(box), step.Text);
        }
        yw::Press(box, IDOK);
        ASSERT_TRUE(yw::WaitClosed(box));
    }
    yw::PostCommand(window, IDM_EXIT);
    ASSERT_TRUE(game->WaitExit());
    std::string path;
    DWORD level = 0;
    ASSERT_TRUE(yw::ReadSettings(&path, &level));
    EXPECT_EQ(level, 3u);
}

} // namespace
