// A round followed and kept: one player's status bar and its time, a round left by Exit or a
// log-off and taken up at the next start, a round that can no longer be taken up, statistics and
// best times, the sound switch.
#include "tests/e2e/Journey.h"

namespace {

const std::string RoundKey = std::string(yw::SettingsKey) + "\\Round";

bool RoundKept() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, RoundKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// Seconds of a bar's "Time: m:ss".
int Seconds(const std::string& time) {
    int minutes = -1, seconds = -1;
    return sscanf(time.c_str(), "Time: %d:%d", &minutes, &seconds) == 2 ? minutes * 60 + seconds : -1;
}

class KeptRound : public Journey {
protected:
    // A level-1 folder, and the bar for one player (or for the players the settings hold).
    void SetUp() override {
        Journey::SetUp();
        AddPictures(true);
        yw::WriteSettings(folder.Path(), 1);
        yw::WriteSettingNumber("StatusBar", 1);
    }

    // One player's bar, checked before each click (the try before it has shown on the board): the
    // pairs the board shows found, the tries the same or one on, the time running.
    void TurnCell(int i) override {
        if (checkBar) {
            const std::vector<std::string> parts = BarParts(bar);
            ASSERT_EQ(parts.size(), 3u);
            EXPECT_EQ(parts[1], PairsText());
            const int now = parts[0].rfind("Tries: ", 0) == 0 ? std::stoi(parts[0].substr(7)) : -1;
            EXPECT_TRUE(now == tries || now == tries + 1) << parts[0] << " after " << tries;
            tries = now;
            EXPECT_GE(Seconds(parts[2]), shownTime) << parts[2];
            shownTime = Seconds(parts[2]);
        }
        ClickCell(i);
    }

    void ExitKept() {
        PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
        ASSERT_TRUE(game->EndedWell());
        ASSERT_TRUE(RoundKept()) << "a round left by Exit not kept";
    }

    // A start that takes up the board left: its found pairs up with the same pictures in the same
    // cells, every other card down, and the round no longer kept.
    void StartResumed() {
        const std::map<int, uint32_t> before = seen;
        const std::vector<bool> pairs = found;
        ASSERT_TRUE(StartWithBar(1, false));
        seen = before;
        found = pairs;
        EXPECT_TRUE(WaitBoard({})) << "not the board that was left";
        EXPECT_FALSE(RoundKept()) << "a round taken up is still kept";
    }

    std::string PairsText() const {
        return "Pairs: " + std::to_string(std::count(found.begin(), found.end(), true) / 2) + " of " +
               std::to_string(rows * columns / 2);
    }

    int tries = 0, shownTime = 0;
    bool checkBar = false;
};

// One player's bar tells tries, pairs and time after each try; the time runs while the round is
// played, stands while the window is minimised, and stops at the last pair. The round and its best
// time come to Statistics, shown by F4, and Reset, confirmed, clears them. The bar hides again from
// the menu, and the window shrinks by its height.
TEST_F(KeptRound, SoloBarAndBestTime) {
    ASSERT_TRUE(StartWithBar(1));
    EXPECT_EQ(BarParts(bar), (std::vector<std::string>{"Tries: 0", "Pairs: 0 of 8", "Time: 0:00"}));
    ClickCell(0);
    ASSERT_TRUE(yw::WaitUntil([&] { return Seconds(BarParts(bar)[2]) >= 2; })) << "the time does not run";
    PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(yw::WaitUntil([&] { return IsIconic(window) != 0; }));
    const int stopped = Seconds(BarParts(bar)[2]);
    EXPECT_FALSE(yw::WaitUntil([&] { return Seconds(BarParts(bar)[2]) > stopped + 1; }, 3000))
        << "the time runs while minimised";
    PostMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(yw::WaitUntil([&] { return Seconds(BarParts(bar)[2]) >= stopped + 2; })) << "not again";
    ASSERT_TRUE(WaitBoard({0}));
    ClickCell(0); // the first card stays up: a click on it does nothing

    // Eight pairs at no less than a second each: a time the statistics keep.
    checkBar = true;
    ASSERT_TRUE(yw::WaitUntil([&] { return Seconds(BarParts(bar)[2]) >= 9; }));
    const int played = PlayRound();
    ASSERT_GE(played, 8);
    Answer(played, IDNO);
    const std::vector<std::string> end = BarParts(bar);
    EXPECT_EQ(end[0], "Tries: " + std::to_string(played));
    EXPECT_EQ(end[1], "Pairs: 8 of 8");
    EXPECT_FALSE(yw::WaitUntil([&] { return BarParts(bar)[2] != end[2]; }, 1500)) << "runs after the end";
    // No leaves the round's board up: clicks then change nothing and ask nothing.
    found.assign(found.size(), true);
    for (int i : {0, 7, 7, 15})
        ClickCell(i);
    yw::Settle(window, 20);
    EXPECT_EQ(yw::WaitForDialog(game->Id(), nullptr, 0), nullptr) << "a click after the round asked again";
    EXPECT_TRUE(WaitBoard({}));
    const std::string statistics = std::string(yw::SettingsKey) + "\\Statistics";
    const auto rounds = [&] { return yw::RegistryNumber(statistics.c_str(), "Level1Rounds"); };
    EXPECT_EQ(rounds(), 1u);
    EXPECT_EQ(yw::RegistryNumber(statistics.c_str(), "Level1Fewest"), DWORD(played));
    EXPECT_EQ(int(yw::RegistryNumber(statistics.c_str(), "Level1BestTime")), Seconds(end[2]));

    SetForegroundWindow(window);
    yw::PressKey(VK_F4);
    ASSERT_TRUE(Opened(0, "Statistics")) << "no Statistics dialog on F4";
    EXPECT_EQ(SendMessageW(GetDlgItem(dialog, IDC_LEVEL_STATS), LVM_GETITEMCOUNT, 0, 0), 7);
    wchar_t text[64] = L"";
    LVITEMW item = {};
    item.iSubItem = 4;
    item.cchTextMax = 64;
    void* remote = VirtualAllocEx(game->Info.hProcess, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(item));
    WriteProcessMemory(game->Info.hProcess, remote, &item, sizeof(item), nullptr);
    // The levels by size: 3 pairs, 6, then level 1's 8.
    SendMessageW(GetDlgItem(dialog, IDC_LEVEL_STATS), LVM_GETITEMTEXTW, 2, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(game->Info.hProcess, item.pszText, text, sizeof(text) - sizeof(wchar_t), nullptr);
    VirtualFreeEx(game->Info.hProcess, remote, 0, MEM_RELEASE);
    EXPECT_EQ("Time: " + yw::Utf8(text), end[2]) << "the best time in Statistics";
    const HWND statisticsDialog = dialog;
    yw::Press(dialog, IDC_STATS_RESET);
    ASSERT_TRUE(yw::WaitUntil([&] {
        dialog = yw::WaitForDialog(game->Id(), "Statistics", 0);
        return dialog != nullptr && dialog != statisticsDialog;
    })) << "no question before Reset";
    EXPECT_EQ(yw::MessageText(dialog), "Clear all statistics?");
    ASSERT_TRUE(Close(IDYES));
    // The game clears them once the question's box has gone.
    EXPECT_TRUE(yw::WaitUntil([&] { return rounds() == 0xFFFFFFFFu; })) << "not cleared";
    dialog = statisticsDialog;
    ASSERT_TRUE(Close(IDOK));

    RECT shown, hidden;
    GetClientRect(window, &shown);
    PostMessageA(window, WM_COMMAND, IDM_STATUSBAR, 0);
    EXPECT_TRUE(yw::WaitUntil([&] { return !IsWindowVisible(bar); })) << "the bar stays";
    EXPECT_TRUE(yw::WaitUntil([&] { return GetClientRect(window, &hidden) && hidden.bottom == shown.bottom - below; }))
        << "the window did not shrink by the bar's height: " << hidden.bottom << " of " << shown.bottom;
    // The sound switch is kept, on by default.
    for (DWORD sound : {0u, 1u}) {
        PostMessageA(window, WM_COMMAND, IDM_SOUND, 0);
        PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
        ASSERT_TRUE(game->EndedWell());
        EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "Sound"), sound);
        if (sound == 0) {
            EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "StatusBar"), 0u);
            EXPECT_FALSE(RoundKept()) << "a finished round kept";
            ASSERT_TRUE(Start(1));
        }
    }
}

// A pair found and one missed on purpose, then Exit: the next start shows the same board, the
// missed pair face down, with the same tries and pairs. A log-off mid-round keeps it as well.
TEST_F(KeptRound, ExitAndLogOffResume) {
    KeepRunThroughDeal({"Player 1"});
    ASSERT_TRUE(StartWithBar(1));
    ASSERT_GT(tries = 1 + PlayRound(true), 1); // the kept deal's try and the round's
    const std::vector<std::string> left = BarParts(bar);
    EXPECT_EQ(left[0], "Tries: " + std::to_string(tries));
    EXPECT_EQ(left[1], PairsText());
    ExitKept();

    StartResumed();
    std::vector<std::string> back = BarParts(bar);
    EXPECT_EQ(back[0], left[0]);
    EXPECT_EQ(back[1], left[1]);
    EXPECT_GE(Seconds(back[2]), Seconds(left[2]));

    // A first card turned, then the session ends: Windows asks, then tells, and ends the process.
    const int first = int(std::find(found.begin(), found.end(), false) - found.begin());
    TurnCell(first);
    ASSERT_TRUE(WaitBoard({first}));
    EXPECT_NE(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 0);
    SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    TerminateProcess(game->Info.hProcess, 0);
    WaitForSingleObject(game->Info.hProcess, yw::WaitMs);
    ASSERT_TRUE(RoundKept()) << "a log-off lost the round";
    StartResumed();
    back = BarParts(bar);
    EXPECT_EQ(back[0], left[0]) << "the first card of a try is no try";
    EXPECT_EQ(back[1], left[1]);
}

// Two players: their scores and whose turn it is come back with the board, on a deal that would
// let the first player find every pair. A saved picture gone before the next start (moved, so the
// folder still holds enough): a new deal, and the kept round gone with it.
TEST_F(KeptRound, TwoPlayersResumeThenPictureGone) {
    yw::WriteSettingNumber("Players", 2);
    KeepRunThroughDeal({"Player 1", "Player 2"});
    ASSERT_TRUE(StartWithBar(1));
    ASSERT_GT(tries = PlayRound(true), 0);
    const std::vector<std::string> left = BarParts(bar);
    ASSERT_EQ(left.size(), 4u);
    ExitKept();
    StartResumed();
    const std::vector<std::string> back = BarParts(bar);
    EXPECT_EQ(std::vector<std::string>(back.begin(), back.end() - 1),
              std::vector<std::string>(left.begin(), left.end() - 1));

    ExitKept();
    char path[MAX_PATH * 4] = "";
    DWORD size = sizeof(path);
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, RoundKey.c_str(), "Cells", RRF_RT_REG_MULTI_SZ, nullptr, path, &size),
              ERROR_SUCCESS);
    ASSERT_TRUE(MoveFileA(path, folder.File("moved.png").c_str())) << path;
    ASSERT_TRUE(StartWithBar(1)) << "not a new deal with every card down";
    EXPECT_FALSE(RoundKept());
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(game->EndedWell());
}

} // namespace
