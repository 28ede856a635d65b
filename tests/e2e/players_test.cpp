// Two to four players from outside: the status bar read after every click, the winner's question,
// the players in Options and the registry, a solo round's statistics and the sound switch.
#include "tests/e2e/Journey.h"

#include "res/resource.h"

namespace {

// "Ζωή" and "Łucja": names outside any ANSI code page but UTF-8.
const char Greek[] = "\xCE\x96\xCF\x89\xCE\xAE";
const char Polish[] = "\xC5\x81ucja";

// A name's bytes as stored, UTF-16 (the ANSI call would convert them).
void WriteName(const wchar_t* name, const std::wstring& text, DWORD bytes) {
    RegSetKeyValueW(HKEY_CURRENT_USER, yw::Wide(yw::SettingsKey).c_str(), name, REG_SZ, text.c_str(), bytes);
}

std::vector<HWINEVENTHOOK> Hooks;
std::vector<HWND> Renamed; // windows whose name changed, as a screen reader hears it
void CALLBACK Hear(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG child, DWORD, DWORD) {
    if (child == CHILDID_SELF)
        Renamed.push_back(window);
}

class Players : public Journey {
protected:
    void TearDown() override {
        for (HWINEVENTHOOK hook : Hooks)
            UnhookWinEvent(hook);
        Hooks.clear();
    }

    // The bar's parts but the time, which is last.
    std::vector<std::string> Bar() {
        std::vector<std::string> parts = BarParts(bar);
        EXPECT_TRUE(!parts.empty() && parts.back().rfind("Time: ", 0) == 0) << "no time last";
        if (!parts.empty())
            parts.pop_back();
        return parts;
    }

    // Between two looks, made before each click (the try before it has shown on the board), the bar
    // tells the same or one step on: the player whose turn it was scored and plays on, or missed
    // and the next one plays; nothing else.
    void TurnCell(int i) override {
        if (bar != nullptr)
            CheckBar();
        ClickCell(i);
    }
    void CheckBar() {
        const std::vector<std::string> now = Bar();
        ASSERT_EQ(now.size(), 3u) << "parts of the bar";
        const int turn = now[0] == shown[0] ? turnOf : (turnOf + 1) % 2;
        EXPECT_EQ(now[0], names[turn] + "'s turn");
        for (int p = 0; p < 2; ++p) {
            const int score = std::stoi(now[p + 1].substr(names[p].size() + 2));
            EXPECT_EQ(now[p + 1], names[p] + ": " + std::to_string(score));
            EXPECT_EQ(score, scores[p] + (now[0] == shown[0] && p == turn && now != shown ? 1 : 0))
                << now[0] << " " << now[1] << " " << now[2] << " after " << shown[0] << " " << shown[1] << " "
                << shown[2];
            scores[p] = score;
        }
        misses += turn != turnOf;
        turnOf = turn;
        shown = now;
    }

    std::vector<std::string> names = {"Ann", Greek}, shown;
    int scores[2] = {}, turnOf = 0, misses = 0;
};

// Ann and Ζωή play a round through: the board above the bar, the bar after every click, a turn
// change heard by a screen reader, a found card named with its finder and the last one located where
// it is drawn, the winner's question.
TEST_F(Players, TwoPlayerRound) {
    AddPictures(true);
    yw::WriteSettings(folder.Path(), 1);
    yw::WriteSettingNumber("Players", 2);
    WriteName(L"Player1", L"Ann", 8);
    WriteName(L"Player2", yw::Wide(Greek), 8);
    ASSERT_TRUE(Start(1));
    ASSERT_NE(bar = FindBar(), nullptr) << "no status bar";
    below = BarUnderClient();
    Layout(1);
    ASSERT_TRUE(WaitBoard({}));
    shown = Bar();
    EXPECT_EQ(shown, (std::vector<std::string>{"Ann's turn", "Ann: 0", std::string(Greek) + ": 0"}));

    CoInitialize(nullptr);
    Hooks.push_back(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, Hear,
                                    game->Id(), 0, WINEVENT_OUTOFCONTEXT));
    const int tries = PlayRound();
    ASSERT_GE(tries, 0);
    EXPECT_GT(misses, 0) << "no turn passed in the whole round";
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageA(&message);
    EXPECT_NE(std::find(Renamed.begin(), Renamed.end(), bar), Renamed.end()) << "no turn change heard";

    IAccessible* board = BoardObject(window);
    ASSERT_NE(board, nullptr);
    const std::string said = CardHeard(board, 0);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(board->accLocation(&left, &top, &width, &height, CardChild(rows * columns - 1)), S_OK);
    board->Release();
    const PixelRect drawn = Card(rows * columns - 1); // on the board above the bar
    POINT corners[2] = {{drawn.Left, drawn.Top}, {drawn.Right, drawn.Bottom}};
    MapWindowPoints(window, nullptr, corners, 2);
    EXPECT_EQ(std::vector<long>({left, top, left + width, top + height}),
              std::vector<long>({corners[0].x, corners[0].y, corners[1].x, corners[1].y}))
        << "the last card located for a screen reader elsewhere than drawn";
    EXPECT_TRUE(said.find(", found by Ann") != std::string::npos ||
                said.find(", found by " + std::string(Greek)) != std::string::npos)
        << said;

    ASSERT_TRUE(Opened(0, "Yorewind"));
    CheckBar();
    const int a = scores[0], b = scores[1];
    const std::string text =
        a == b ? "Ann and " + std::string(Greek) + " tie with " + std::to_string(a) + " pairs each."
        : a > b
            ? "Ann wins with " + std::to_string(a) + " pairs to " + std::to_string(b) + "."
            : std::string(Greek) + " wins with " + std::to_string(b) + " pairs to " + std::to_string(a) + ".";
    EXPECT_EQ(yw::MessageText(dialog), text + "\nDo it Again?");
    ASSERT_TRUE(Close(IDNO));
    EXPECT_EQ(a + b, 8);
}

// The players chosen in Options, a Polish name among them, and Include subfolders go to the
// registry at Exit and come back at the next start; only as many name boxes are enabled as play. At 144 DPI, where the bar
// is taller than at 96, the window grows by its height: the board keeps its size above it.
TEST_F(Players, OptionsRoundTrip) {
    ScopedLogPixels desktop;
    desktop.Set(dpi = 144);
    yw::WriteSettings(folder.Path(), 1);
    AddPictures(true);
    ASSERT_TRUE(Start(1) && WaitBoard({}));
    EXPECT_EQ(FindBar(0), nullptr) << "a bar for one player";
    RECT solo;
    GetClientRect(window, &solo);
    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_PLAYER_COUNT), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(yw::ItemText(dialog, IDC_PLAYER_NAME3), "Player 3");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PLAYER_NAME2)));
    SendMessageW(GetDlgItem(dialog, IDC_PLAYER_COUNT), CB_SETCURSEL, 2, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_PLAYER_COUNT, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PLAYER_COUNT)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PLAYER_NAME3)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PLAYER_NAME4)));
    yw::SetItemText(dialog, IDC_PLAYER_NAME1, "Ann");
    yw::SetItemText(dialog, IDC_PLAYER_NAME2, Polish);
    EXPECT_FALSE(yw::IsChecked(dialog, IDC_SUBFOLDERS));
    yw::Press(dialog, IDC_SUBFOLDERS);
    ASSERT_TRUE(Close(IDOK));
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(game->EndedWell());
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Players"), 3u);
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Subfolders"), 1u);
    EXPECT_EQ(yw::RegistryText(yw::SettingsKey, "Player2"), Polish);

    ASSERT_TRUE(Start(1));
    ASSERT_NE(bar = FindBar(), nullptr) << "no bar for three";
    EXPECT_TRUE(yw::WaitUntil([&] { return BarParts(bar).size() == 5; }));
    below = BarUnderClient();
    EXPECT_GT(below, 21) << "the bar's height as at 96 DPI";
    RECT board;
    GetClientRect(window, &board);
    EXPECT_EQ(board.bottom - below, solo.bottom) << "the window did not grow by the bar's height";
    Layout(1);
    EXPECT_TRUE(WaitBoard({})) << "the board not above the bar";
    EXPECT_EQ(Bar(),
              (std::vector<std::string>{"Ann's turn", "Ann: 0", std::string(Polish) + ": 0", "Player 3: 0"}));
    ASSERT_TRUE(Opened(IDM_OPTIONS, "Yorewind"));
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_PLAYER_COUNT), CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(yw::ItemText(dialog, IDC_PLAYER_NAME2), Polish);
    EXPECT_TRUE(yw::IsChecked(dialog, IDC_SUBFOLDERS)) << "Include subfolders not read back";
    ASSERT_TRUE(Close(IDCANCEL));
}

// A solo round finished raises its level's statistics, shown by F4; Reset, confirmed, clears
// them. No leaves the round's board up: clicks then change nothing and ask nothing. The sound
// switch is kept in the registry, on by default.
TEST_F(Players, StatisticsAndSound) {
    const std::string statistics = std::string(yw::SettingsKey) + "\\Statistics";
    ASSERT_TRUE(StartDealt(1));
    const int tries = PlayRound();
    ASSERT_GE(tries, 8);
    Answer(tries, IDNO);
    found.assign(found.size(), true);
    for (int i : {0, 7, 7, 15})
        ClickCell(i);
    yw::Settle(window, 20);
    EXPECT_EQ(yw::WaitForDialog(game->Id(), nullptr, 0), nullptr) << "a click after the round asked again";
    EXPECT_TRUE(WaitBoard({}));
    EXPECT_EQ(yw::RegistryNumber(statistics.c_str(), "Level1Rounds"), 1u);
    EXPECT_EQ(yw::RegistryNumber(statistics.c_str(), "Level1Fewest"), DWORD(tries));
    SetForegroundWindow(window);
    yw::PressKey(VK_F4);
    ASSERT_TRUE(Opened(0, "Statistics")) << "no Statistics dialog on F4";
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_LEVEL_STATS), LVM_GETITEMCOUNT, 0, 0), 4);
    const HWND statisticsDialog = dialog;
    yw::Press(dialog, IDC_STATS_RESET);
    ASSERT_TRUE(yw::WaitUntil([&] {
        dialog = yw::WaitForDialog(game->Id(), "Statistics", 0);
        return dialog != nullptr && dialog != statisticsDialog;
    })) << "no question before Reset";
    EXPECT_EQ(yw::MessageText(dialog), "Clear all statistics?");
    ASSERT_TRUE(Close(IDYES));
    EXPECT_EQ(yw::RegistryNumber(statistics.c_str(), "Level1Rounds"), 0xFFFFFFFFu) << "not cleared";
    dialog = statisticsDialog;
    ASSERT_TRUE(Close(IDOK));

    for (DWORD sound : {0u, 1u}) {
        PostMessageA(window, WM_COMMAND, IDM_SOUND, 0);
        PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
        ASSERT_TRUE(game->EndedWell());
        EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Sound"), sound);
        if (sound == 0) {
            ASSERT_TRUE(Start(1));
        }
    }
}

} // namespace
