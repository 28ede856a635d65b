// The settings in the test prefix's registry: whatever was stored, however malformed, the path
// stays a terminated text within its buffer, and a value of the wrong type, too long or that no
// rounds could leave reads as the default or as zero. (Wine hands back a text stored without its
// terminating zero with one.)
#include <gtest/gtest.h>

#include <map>

#include "app/PlayerSettings.h"
#include "app/Settings.h"
#include "app/StatisticsStore.h"
#include "tests/driver/Driver.h"

namespace {

// Raw bytes under the settings key or a subkey of it, through the wide call: the ANSI one would
// convert a text's bytes.
void Write(const std::string& subkey, const std::wstring& name, DWORD type, const std::string& bytes) {
    RegSetKeyValueW(HKEY_CURRENT_USER, yw::Wide(yw::SettingsKey + subkey).c_str(), name.c_str(), type,
                    bytes.data(), DWORD(bytes.size()));
}
std::string Text(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}
std::string Number(uint64_t value, size_t bytes = 4) {
    return std::string(reinterpret_cast<const char*>(&value), bytes);
}

// Each value stored alone: every setting read after it, the others at their defaults.
TEST(Settings, HostileStoredValues) {
    const std::wstring initial = L"Where Do You Want to Go?", greek = {L'\u0396', L'\u03c9', L'\u03ae', 0};
    const struct {
        const wchar_t* Name;
        DWORD Type;
        std::string Bytes;
        std::string Read;
    } cases[] = {
        {L"PicturePath", REG_SZ, Text({L"D:\\cards", 9}), "D:\\cards"},
        {L"PicturePath", REG_SZ, Text(std::wstring(400, 'y')), std::string(259, 'y')},
        {L"PicturePath", REG_SZ, Text({L"", 1}), yw::Utf8(initial)},
        {L"PicturePath", REG_BINARY, "abc", yw::Utf8(initial)},
        {L"PicturePath", REG_EXPAND_SZ, Text({L"%TEMP%", 7}), yw::Utf8(initial)},
        {L"Level", REG_DWORD, Number(4), "4"},
        {L"Level", REG_DWORD, Number(7), "7"},
        {L"Level", REG_DWORD, Number(2, 2), "3"},
        {L"Level", REG_BINARY, Number(2), "3"},
        // Include subfolders and the pictures' shape are on for a REG_DWORD of 1 alone.
        {L"Fit", REG_DWORD, Number(1), "1"},
        {L"Fit", REG_DWORD, Number(0x01000001), "0"},
        {L"Pairs", REG_DWORD, Number(2), "2"},
        {L"Pairs", REG_DWORD, Number(3), "3"},
        {L"Pairs", REG_DWORD, Number(4), "0"},
        {L"Pairs", REG_SZ, Text({L"1", 2}), "0"},
        {L"FullScreen", REG_DWORD, Number(1), "1"},
        {L"FullScreen", REG_DWORD, Number(2), "0"},
        {L"Subfolders", REG_DWORD, Number(1), "1"},
        {L"Subfolders", REG_DWORD, Number(1, 2), "0"},
        {L"ShowFound", REG_DWORD, Number(1), "1"},
        {L"ShowFound", REG_DWORD, Number(2), "0"},
        {L"Calm", REG_DWORD, Number(1), "1"},
        {L"Calm", REG_DWORD, Number(2), "0"},
        {L"Calm", REG_SZ, Text({L"1", 2}), "0"},
        {L"SayNames", REG_DWORD, Number(1), "1"},
        {L"SayNames", REG_QWORD, Number(1, 8), "0"},
        {L"Players", REG_DWORD, Number(2), "2"},
        {L"Players", REG_DWORD, Number(5), "1"},
        {L"Player1", REG_SZ, Text(greek), yw::Utf8(greek)},
        {L"Player1", REG_SZ, Text(std::wstring(32, 'x') + L'\0'), std::string(32, 'x')},
        {L"Player1", REG_SZ, Text(std::wstring(33, 'x') + L'\0'), "Player 1"},
        {L"Player1", REG_SZ, Text({L"", 1}), "Player 1"},
        {L"Player1", REG_EXPAND_SZ, Text(greek), "Player 1"},
        {L"Player1", REG_SZ, Text({L"Ann\0Bob", 8}), "Ann"},
        {L"Sound", REG_DWORD, Number(0), "off"},
        // Only bits 1 to 3 (seats 2 to 4) are the computer's.
        {L"Computers", REG_DWORD, Number(0xFFFFFFFF), "14"},
        {L"Computers", REG_SZ, Text({L"2", 2}), "0"},
        {L"Strength", REG_DWORD, Number(1), "1"},
        {L"Strength", REG_DWORD, Number(0), "2"},
        {L"Strength", REG_DWORD, Number(4), "2"},
        {L"Strength", REG_DWORD, Number(1, 8), "2"},
    };
    const std::map<std::wstring, std::string> defaults = {{L"PicturePath", yw::Utf8(initial)},
                                                          {L"Level", "3"},
                                                          {L"Subfolders", "0"},
                                                          {L"Fit", "0"},
                                                          {L"ShowFound", "0"},
                                                          {L"FullScreen", "0"},
                                                          {L"Calm", "0"},
                                                          {L"SayNames", "0"},
                                                          {L"Pairs", "0"},
                                                          {L"Players", "1"},
                                                          {L"Player1", "Player 1"},
                                                          {L"Sound", "on"},
                                                          {L"Computers", "0"},
                                                          {L"Strength", "2"}};
    for (const auto& c : cases) {
        yw::ClearSettings();
        yw::WriteSettingValue("Unrelated", REG_SZ, "so the key exists");
        Write("", c.Name, c.Type, c.Bytes);
        CopyPathText(PicturePath, yw::Utf8(initial).c_str());
        Level = 3;
        Subfolders = 1;
        Computers = 6;
        Strength = 3;
        Fit = 1;
        ShowFound = 1;
        FullScreen = 1;
        Calm = 1;
        SayNames = 1;
        Pairs = 1;
        EXPECT_TRUE(LoadSettings());
        const std::map<std::wstring, std::string> read = {{L"PicturePath", PicturePath},
                                                          {L"Level", std::to_string(Level)},
                                                          {L"Subfolders", std::to_string(Subfolders)},
                                                          {L"Fit", std::to_string(Fit)},
                                                          {L"ShowFound", std::to_string(ShowFound)},
                                                          {L"FullScreen", std::to_string(FullScreen)},
                                                          {L"Calm", std::to_string(Calm)},
                                                          {L"SayNames", std::to_string(SayNames)},
                                                          {L"Pairs", std::to_string(Pairs)},
                                                          {L"Players", std::to_string(Players)},
                                                          {L"Player1", yw::Utf8(PlayerName(0))},
                                                          {L"Sound", Sound ? "on" : "off"},
                                                          {L"Computers", std::to_string(Computers)},
                                                          {L"Strength", std::to_string(Strength)}};
        std::map<std::wstring, std::string> expected = defaults;
        expected[c.Name] = c.Read;
        EXPECT_EQ(read, expected) << "case " << &c - cases;
    }
    yw::ClearSettings();
    Level = 1;
    Subfolders = 0;
    Fit = 0;
    ShowFound = 0;
    SayNames = 0;
}

} // namespace
