// A round followed and kept: one player's status bar and its time, a round left by Exit or a
// log-off and taken up at the next start, a round that can no longer be taken up, best times.
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
    // A game with the bar for one player (or for the players the settings hold).
    bool StartWithBar(int level, bool dealt = true) {
        yw::WriteSettingNumber("StatusBar", 1);
        if (!Start(level) || (bar = FindBar()) == nullptr)
            return false;
        below = BarUnderClient();
        Layout(level);
        // The board is read off the screen: nothing of an earlier game may stand over it.
        SetForegroundWindow(window);
        return !dealt || WaitBoard({});
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

    // Tries by sight until a pair has been found and one missed; the missed pair stays up. Counts
    // the tries made.
    bool FindOneMissOne() {
        bool hit = false;
        for (int a = 0; a < rows * columns; ++a) {
            if (found[a])
                continue;
            TurnCell(a);
            if (seen.count(a) == 0 && !WaitBoard({a}))
                return false;
            const int b = Partner(a);
            TurnCell(b);
            ++tries;
            if (!WaitBoard({a, b}))
                return false;
            found[a] = found[b] = seen[a] == seen[b];
            hit = hit || found[a];
            if (!found[a] && hit)
                return true;
            if (!found[a])
                TurnCell(b);
        }
        return false;
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
// played, stands while the window is minimised, and stops at the last pair. A best time comes to
// Statistics; the bar hides again from the menu, and the window shrinks by its height.
TEST_F(KeptRound, SoloBarAndBestTime) {
    AddPictures(true);
    yw::WriteSettings(folder.Path(), 1);
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
    const DWORD best = yw::RegistryNumber((std::string(yw::SettingsKey) + "\\Statistics").c_str(), "Level1BestTime");
    EXPECT_EQ(int(best), Seconds(end[2]));

    ASSERT_TRUE(Opened(IDM_STATISTICS, "Statistics"));
    wchar_t text[64] = L"";
    LVITEMW item = {};
    item.iSubItem = 4;
    item.cchTextMax = 64;
    void* remote = VirtualAllocEx(game->Info.hProcess, nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote) + sizeof(item));
    WriteProcessMemory(game->Info.hProcess, remote, &item, sizeof(item), nullptr);
    SendMessageW(GetDlgItem(dialog, IDC_LEVEL_STATS), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(game->Info.hProcess, item.pszText, text, sizeof(text) - sizeof(wchar_t), nullptr);
    VirtualFreeEx(game->Info.hProcess, remote, 0, MEM_RELEASE);
    EXPECT_EQ("Time: " + yw::Utf8(text), end[2]) << "the best time in Statistics";
    ASSERT_TRUE(Close(IDOK));

    RECT shown, hidden;
    GetClientRect(window, &shown);
    PostMessageA(window, WM_COMMAND, IDM_STATUSBAR, 0);
    EXPECT_TRUE(yw::WaitUntil([&] { return !IsWindowVisible(bar); })) << "the bar stays";
    EXPECT_TRUE(yw::WaitUntil([&] { return GetClientRect(window, &hidden) && hidden.bottom == shown.bottom - below; }))
        << "the window did not shrink by the bar's height: " << hidden.bottom << " of " << shown.bottom;
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(game->EndedWell());
    EXPECT_EQ(yw::RegistryNumber(yw::SettingsKey, "StatusBar"), 0u);
    EXPECT_FALSE(RoundKept()) << "a finished round kept";
}

// A pair found and one missed, then Exit: the next start shows the same board, the missed pair
// face down, with the same tries and pairs. A log-off mid-round keeps it as well.
TEST_F(KeptRound, ExitAndLogOffResume) {
    AddPictures(true);
    yw::WriteSettings(folder.Path(), 1);
    ASSERT_TRUE(StartWithBar(1));
    ASSERT_TRUE(FindOneMissOne());
    const std::vector<std::string> left = BarParts(bar);
    EXPECT_EQ(left[0], "Tries: " + std::to_string(tries));
    EXPECT_EQ(left[1], PairsText());
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(game->EndedWell());
    ASSERT_TRUE(RoundKept());

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

// A saved picture gone before the start (moved, so the folder still holds enough): a new deal, and
// the kept round gone with it. A record damaged in one value deals anew as well.
TEST_F(KeptRound, NoLongerResumable) {
    AddPictures(true);
    yw::WriteSettings(folder.Path(), 1);
    ASSERT_TRUE(StartWithBar(1));
    ASSERT_TRUE(FindOneMissOne());
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(game->EndedWell());
    char path[MAX_PATH * 4] = "";
    DWORD size = sizeof(path);
    ASSERT_EQ(RegGetValueA(HKEY_CURRENT_USER, RoundKey.c_str(), "Cells", RRF_RT_REG_MULTI_SZ, nullptr, path, &size),
              ERROR_SUCCESS);
    ASSERT_TRUE(MoveFileA(path, folder.File("moved.png").c_str())) << path;

    ASSERT_TRUE(StartWithBar(1));
    EXPECT_EQ(BarParts(bar), (std::vector<std::string>{"Tries: 0", "Pairs: 0 of 8", "Time: 0:00"}));
    EXPECT_FALSE(RoundKept());

    // The pair found then stands on another card than the one its value says.
    found.assign(found.size(), false);
    seen.clear();
    tries = 0;
    ASSERT_TRUE(FindOneMissOne());
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(game->EndedWell());
    std::string bytes(16, '\0');
    for (size_t i = 0; i < found.size(); ++i)
        bytes[i] = found[i] ? 1 : 0;
    bytes[size_t(std::find(found.begin(), found.end(), true) - found.begin())] = 0;
    RegSetKeyValueA(HKEY_CURRENT_USER, RoundKey.c_str(), "Found", REG_BINARY, bytes.data(), 16);
    ASSERT_TRUE(StartWithBar(1));
    EXPECT_EQ(BarParts(bar)[0], "Tries: 0") << "a damaged record taken up";
    EXPECT_FALSE(RoundKept());
}

// Two players: their scores and whose turn it is come back with the board.
TEST_F(KeptRound, TwoPlayersResume) {
    AddPictures(true);
    yw::WriteSettings(folder.Path(), 1);
    yw::WriteSettingNumber("Players", 2);
    ASSERT_TRUE(StartWithBar(1));
    ASSERT_TRUE(FindOneMissOne());
    const std::vector<std::string> left = BarParts(bar);
    ASSERT_EQ(left.size(), 4u);
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    ASSERT_TRUE(game->EndedWell());
    StartResumed();
    const std::vector<std::string> back = BarParts(bar);
    EXPECT_EQ(std::vector<std::string>(back.begin(), back.end() - 1),
              std::vector<std::string>(left.begin(), left.end() - 1));
    PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_TRUE(game->EndedWell());
}

} // namespace
