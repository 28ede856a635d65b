// The players, the sound switch and the statistics in the test prefix's registry: values of the
// wrong type, too long or that no rounds could leave read as the defaults or as zero. (Wine hands
// back a name stored without its terminating zero with one.)
#include <gtest/gtest.h>

#include "app/PlayerSettings.h"
#include "app/Settings.h"
#include "app/StatisticsStore.h"
#include "tests/driver/Driver.h"

namespace {

const std::wstring Key = L"Software\\Brindlecot\\Twinlet";

void Write(const std::wstring& subkey, const wchar_t* name, DWORD type, const void* data, DWORD bytes) {
    RegSetKeyValueW(HKEY_CURRENT_USER, (Key + subkey).c_str(), name, type, data, bytes);
}

std::string Utf8(const std::wstring& text) {
    char bytes[256] = "";
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes, sizeof(bytes), nullptr, nullptr);
    return bytes;
}

TEST(PlayerSettings, HostileStoredValues) {
    const DWORD two = 2, five = 5, zero = 0;
    const std::wstring greek = L"\u0396\u03c9\u03ae";
    const std::wstring longest(32, L'x'), tooLong(33, L'x');
    const struct {
        DWORD Type; // REG_NONE: no value stored
        const void* Data;
        DWORD Bytes;
        std::string Read; // "players/name of player 1/sound"
    } cases[] = {
        {REG_NONE, nullptr, 0, "1/Player 1/on"},
        {REG_DWORD, &two, 4, "2/Player 1/on"},
        {REG_DWORD, &five, 4, "1/Player 1/on"},
        {REG_DWORD, &zero, 4, "1/Player 1/on"},
        {REG_BINARY, &two, 4, "1/Player 1/on"},
        {REG_QWORD, "\2\0\0\0\0\0\0\0", 8, "1/Player 1/on"},
        {REG_SZ, greek.c_str(), 8, "1/\xCE\x96\xCF\x89\xCE\xAE/on"},
        {REG_SZ, longest.c_str(), 66, "1/" + std::string(32, 'x') + "/on"},
        {REG_SZ, tooLong.c_str(), 68, "1/Player 1/on"},
        {REG_SZ, L"", 2, "1/Player 1/on"},
        {REG_EXPAND_SZ, greek.c_str(), 8, "1/Player 1/on"},
        {REG_SZ, L"Ann\0Bob", 16, "1/Ann/on"},
    };
    for (const auto& c : cases) {
        yw::ClearSettings();
        yw::WriteSettingValue("Unrelated", REG_SZ, "so the key exists");
        const size_t index = &c - cases;
        // Each value is tried as the count, the first name and the switch alike.
        const wchar_t* name =
            c.Type == REG_DWORD || c.Type == REG_BINARY || c.Type == REG_QWORD ? L"Players" : L"Player1";
        if (c.Type != REG_NONE)
            Write(L"", name, c.Type, c.Data, c.Bytes);
        if (c.Type == REG_DWORD && c.Data == &zero)
            Write(L"", L"Sound", REG_DWORD, &zero, 4);
        ASSERT_TRUE(LoadSettings());
        const std::string read =
            std::to_string(Players) + "/" + Utf8(PlayerName(0)) + "/" + (Sound ? "on" : "off");
        EXPECT_EQ(read, c.Type == REG_DWORD && c.Data == &zero ? "1/Player 1/off" : c.Read)
            << "case " << index;
    }
    yw::ClearSettings();
}

// Damaged records read as zero; a tie's win goes to each leader's name once; damaged wins are
// left out.
TEST(PlayerSettings, StatisticsInTheRegistry) {
    yw::ClearSettings();
    const DWORD rounds = 3, fewest = 7;
    const uint64_t total = 30;
    Write(L"\\Statistics", L"Level1Rounds", REG_DWORD, &rounds, 4);
    Write(L"\\Statistics", L"Level1Fewest", REG_DWORD, &fewest, 4);
    Write(L"\\Statistics", L"Level1Tries", REG_QWORD, &total, 8);
    EXPECT_EQ(ReadLevelRecord(1).Rounds, 0u) << "fewer tries than pairs";
    Write(L"\\Statistics", L"Level1Fewest", REG_BINARY, "\x09\0\0\0", 4);
    EXPECT_EQ(ReadLevelRecord(1).Rounds, 0u) << "a fewest of the wrong type";

    StartPlayersRound(&Round, 3);
    PlayerNames[0] = L"Ann";
    PlayerNames[1] = L"Bob";
    PlayerNames[2] = L"Ann";
    Round.Scores[0] = Round.Scores[2] = 4;
    Round.Scores[1] = 2;
    RecordRound();
    Write(L"\\Statistics\\Wins", L"Odd", REG_SZ, L"7", 4);
    Write(L"\\Statistics\\Wins", std::wstring(33, L'x').c_str(), REG_DWORD, &rounds, 4);
    std::string wins;
    for (const WinRecord& win : ReadWins())
        wins += Utf8(win.Name) + "=" + std::to_string(win.Wins) + " ";
    EXPECT_EQ(wins, "Ann=1 ");
    for (std::wstring& name : PlayerNames)
        name.clear();
    yw::ClearSettings();
}

} // namespace
