#include "app/PlayerSettings.h"

#include "app/Texts.h"
#include "engine/FullScreen.h"
#include "res/resource.h"
#include "rules/Statistics.h"

int Players = 1;
std::wstring PlayerNames[MaxPlayers];
bool Sound = true;
int Computers = 0;
int Strength = NormalStrength;
bool StatusBar = false;

namespace {

bool ReadDword(HKEY key, const wchar_t* name, DWORD* value) {
    DWORD type = 0;
    DWORD read = sizeof(*value);
    DWORD data = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &read) != ERROR_SUCCESS ||
        type != REG_DWORD || read != sizeof(data))
        return false;
    *value = data;
    return true;
}

// At most 32 characters and their terminating zero, which must be stored.
std::wstring ReadName(HKEY key, const wchar_t* name) {
    wchar_t data[MaxNameLength + 1] = {};
    DWORD type = 0;
    DWORD read = sizeof(data);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &read) != ERROR_SUCCESS ||
        type != REG_SZ || read < sizeof(wchar_t) || read % sizeof(wchar_t) != 0 ||
        data[read / sizeof(wchar_t) - 1] != L'\0')
        return std::wstring();
    return data;
}

std::wstring ValueName(int player) {
    return L"Player" + std::to_wstring(player + 1);
}

} // namespace

bool ComputerSeat(int seat, int count, int computers) {
    return count > 1 && seat >= 1 && seat < count && (computers & (1 << seat)) != 0;
}

bool IsComputerSeat(int seat, int count) {
    return ComputerSeat(seat, count, Computers);
}

bool ComputerPlays() {
    for (int seat = 0; seat < Players; ++seat)
        if (IsComputerSeat(seat, Players))
            return true;
    return false;
}

std::wstring DefaultPlayerName(int player, int count, int computers) {
    if (!ComputerSeat(player, count, computers))
        return FormatText(IDS_DEFAULT_PLAYER, {player + 1});
    int seats = 0;
    for (int seat = 0; seat < count; ++seat)
        seats += ComputerSeat(seat, count, computers) ? 1 : 0;
    // Two computers are told apart by their seats.
    return seats == 1 ? LoadText(IDS_COMPUTER) : FormatText(IDS_COMPUTER_NUMBERED, {player + 1});
}

std::wstring PlayerName(int player) {
    if (player >= 0 && player < MaxPlayers && !PlayerNames[player].empty())
        return PlayerNames[player];
    return DefaultPlayerName(player, Players, Computers);
}

void ReadPlayerSettings(HKEY key) {
    DWORD value = 0;
    Players = ReadDword(key, L"Players", &value) && value >= 1 && value <= MaxPlayers ? int(value) : 1;
    Sound = !ReadDword(key, L"Sound", &value) || value != 0;
    // Only seats 2 to 4 can be the computer's; other bits are ignored.
    Computers = ReadDword(key, L"Computers", &value) ? int(value & 0xE) : 0;
    Strength = ReadDword(key, L"Strength", &value) && value >= MinStrength && value <= MaxStrength
                   ? int(value)
                   : NormalStrength;
    StatusBar = ReadDword(key, L"StatusBar", &value) && value == 1;
    for (int player = 0; player < MaxPlayers; ++player)
        PlayerNames[player] = ReadName(key, ValueName(player).c_str());
}

void WritePlayerSettings(HKEY key) {
    const DWORD players = static_cast<DWORD>(Players);
    RegSetValueExW(key, L"Players", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&players), sizeof(players));
    const DWORD sound = Sound ? 1 : 0;
    RegSetValueExW(key, L"Sound", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&sound), sizeof(sound));
    const DWORD computers = static_cast<DWORD>(Computers & 0xE);
    RegSetValueExW(key, L"Computers", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&computers), sizeof(computers));
    const DWORD strength = static_cast<DWORD>(Strength);
    RegSetValueExW(key, L"Strength", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&strength), sizeof(strength));
    const DWORD statusBar = StatusBar ? 1 : 0;
    RegSetValueExW(key, L"StatusBar", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&statusBar), sizeof(statusBar));
    for (int player = 0; player < MaxPlayers; ++player) {
        const std::wstring name = PlayerNames[player].substr(0, MaxNameLength);
        RegSetValueExW(key, ValueName(player).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                       static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
    }
}

void ShowSoundSetting(HWND window) {
    CheckMenuItem(WindowMenu(window), IDM_SOUND, MF_BYCOMMAND | (Sound ? MF_CHECKED : MF_UNCHECKED));
}

void ToggleSound(HWND window) {
    Sound = !Sound;
    ShowSoundSetting(window);
}
