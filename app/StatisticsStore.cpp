#include "app/StatisticsStore.h"

#include <windows.h>

#include <string>

#include "app/PlayerSettings.h"
#include "app/Settings.h"
#include "board/RoundTime.h"
#include "rules/Deal.h"
#include "rules/GameState.h"
#include "rules/PlayerTurns.h"

namespace {

std::wstring StatisticsKey() {
    const std::string key = SettingsKey;
    return std::wstring(key.begin(), key.end()) + L"\\Statistics";
}

std::wstring WinsKey() {
    return StatisticsKey() + L"\\Wins";
}

// A key of HKEY_CURRENT_USER, closed once when it goes; null when it could not be opened.
struct Key {
    Key(const std::wstring& path, bool create) {
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WRITE, &Handle) != ERROR_SUCCESS)
            Handle = nullptr;
        if (Handle == nullptr && create &&
            RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_READ | KEY_WRITE, nullptr, &Handle, nullptr) != ERROR_SUCCESS)
            Handle = nullptr;
    }
    ~Key() {
        if (Handle != nullptr)
            RegCloseKey(Handle);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY Handle = nullptr;
};

// A number of exactly its type and size, else 0.
template <typename Number> Number ReadNumber(HKEY key, const std::wstring& name, DWORD wanted) {
    Number value = 0;
    DWORD type = 0;
    DWORD read = sizeof(value);
    if (key == nullptr ||
        RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &read) !=
            ERROR_SUCCESS ||
        type != wanted || read != sizeof(value))
        return 0;
    return value;
}

std::wstring LevelValue(int level, const wchar_t* what) {
    return L"Level" + std::to_wstring(level) + what;
}


void RecordSoloRound(int level) {
    const Key key(StatisticsKey(), true);
    if (key.Handle == nullptr || level == 0)
        return;
    const LevelRecord record = AddSoloRound(ReadLevelRecord(level), static_cast<uint32_t>(Tries));
    RegSetValueExW(key.Handle, LevelValue(level, L"Rounds").c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&record.Rounds), sizeof(record.Rounds));
    RegSetValueExW(key.Handle, LevelValue(level, L"Fewest").c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&record.Fewest), sizeof(record.Fewest));
    RegSetValueExW(key.Handle, LevelValue(level, L"Tries").c_str(), 0, REG_QWORD,
                   reinterpret_cast<const BYTE*>(&record.Tries), sizeof(record.Tries));
    // A time no round of the level can take is not kept: it would read as none.
    const uint32_t best = BetterTime(ReadBestTime(level), RoundSeconds());
    if (CheckedBestTime(best, PairsOfLevel(level)) != 0)
        RegSetValueExW(key.Handle, LevelValue(level, L"BestTime").c_str(), 0, REG_DWORD,
                       reinterpret_cast<const BYTE*>(&best), sizeof(best));
}

void RecordWins() {
    std::vector<std::wstring> winners;
    for (int player : Leaders(Round))
        winners.push_back(PlayerName(player));
    std::vector<WinRecord> wins = ReadWins();
    AddWins(&wins, winners);
    const Key key(WinsKey(), true);
    if (key.Handle == nullptr)
        return;
    for (const WinRecord& win : wins) {
        for (const std::wstring& winner : winners) {
            if (win.Name == winner)
                RegSetValueExW(key.Handle, win.Name.c_str(), 0, REG_DWORD,
                               reinterpret_cast<const BYTE*>(&win.Wins), sizeof(win.Wins));
        }
    }
}

} // namespace

void RecordRound() {
    // A calm round is played, never measured.
    if (CalmRound)
        return;
    if (Round.Count > 1)
        RecordWins();
    else
        RecordSoloRound(LevelOfGrid(Rows, Columns)); // whatever Options has chosen since
}

LevelRecord ReadLevelRecord(int level) {
    const Key key(StatisticsKey(), false);
    LevelRecord stored = {ReadNumber<uint32_t>(key.Handle, LevelValue(level, L"Rounds"), REG_DWORD),
                          ReadNumber<uint32_t>(key.Handle, LevelValue(level, L"Fewest"), REG_DWORD),
                          ReadNumber<uint64_t>(key.Handle, LevelValue(level, L"Tries"), REG_QWORD)};
    return CheckedLevelRecord(stored, PairsOfLevel(level));
}

uint32_t ReadBestTime(int level) {
    const Key key(StatisticsKey(), false);
    return CheckedBestTime(ReadNumber<uint32_t>(key.Handle, LevelValue(level, L"BestTime"), REG_DWORD),
                           PairsOfLevel(level));
}

std::vector<WinRecord> ReadWins() {
    std::vector<WinRecord> wins;
    const Key key(WinsKey(), false);
    for (DWORD index = 0; key.Handle != nullptr; ++index) {
        wchar_t name[MaxNameLength + 2] = {};
        DWORD length = MaxNameLength + 2;
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof(value);
        const LONG result = RegEnumValueW(key.Handle, index, name, &length, nullptr, &type,
                                          reinterpret_cast<BYTE*>(&value), &size);
        // A name or value too large for its buffer is skipped; any other failure ends the list.
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
            break;
        if (result == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(value) && length >= 1 &&
            length <= MaxNameLength)
            wins.push_back({std::wstring(name, length), value});
    }
    return wins;
}

void ClearStatistics() {
    RegDeleteTreeW(HKEY_CURRENT_USER, StatisticsKey().c_str());
}
