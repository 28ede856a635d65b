// The settings in the test prefix's registry: whatever was stored, however malformed, the path
// stays a terminated text within its buffer; an empty or wrongly typed value keeps the default.
#include <gtest/gtest.h>

#include "app/Settings.h"
#include "tests/driver/Driver.h"

TEST(Settings, HostileStoredValues) {
    const std::string initial = "Where Do You Want to Go?";
    const struct {
        DWORD PathType; // REG_NONE: no value stored
        std::string Path;
        DWORD LevelType;
        std::string StoredLevel;
        std::string PathAfter;
        int LevelAfter; // 3 before the read
    } cases[] = {
        {REG_SZ, std::string("D:\\cards", 9), REG_DWORD, std::string("\4\0\0\0", 4), "D:\\cards", 4},
        {REG_NONE, "", REG_NONE, "", initial, 3},
        {REG_SZ, "C:\\x", REG_DWORD, std::string("\0\0\0\0", 4), "C:\\x", 0}, // short, as an installer writes
        {REG_SZ, std::string(400, 'y'), REG_DWORD, "", std::string(259, 'y'), 3},
        {REG_SZ, "", REG_BINARY, std::string("\2\0\0\0", 4), initial, 3},
        {REG_SZ, std::string(1, '\0'), REG_SZ, "2", initial, 3},
        {REG_BINARY, "abc", REG_QWORD, std::string("\2\0\0\0\0\0\0\0", 8), initial, 3},
        {REG_EXPAND_SZ, std::string("%TEMP%", 7), REG_DWORD, std::string("\2\0", 2), initial, 3},
    };
    for (const auto& c : cases) {
        yw::ClearSettings();
        yw::WriteSettingValue("Unrelated", REG_SZ, "so the key exists");
        if (c.PathType != REG_NONE)
            yw::WriteSettingValue("PicturePath", c.PathType, c.Path);
        if (c.LevelType != REG_NONE)
            yw::WriteSettingValue("Level", c.LevelType, c.StoredLevel);
        CopyPathText(PicturePath, initial.c_str());
        Level = 3;
        EXPECT_TRUE(LoadSettings());
        EXPECT_EQ(PicturePath + std::string(" at ") + std::to_string(Level),
                  c.PathAfter + " at " + std::to_string(c.LevelAfter))
            << "case " << &c - cases;
    }
    yw::ClearSettings();
    Level = 1;
}

// The folder is stored as 260 bytes, zero behind the text, even after a shorter folder replaced a
// longer one in the same buffer.
TEST(Settings, StoredFolderHasNothingBehindItsText) {
    CopyPathText(PicturePath, std::string(200, 'L').c_str());
    SaveSettings();
    PicturePath[0] = 'S';
    PicturePath[1] = '\0';
    SaveSettings();
    char stored[300] = "";
    DWORD size = sizeof(stored);
    EXPECT_EQ(
        RegGetValueA(HKEY_CURRENT_USER, SettingsKey, "PicturePath", RRF_RT_REG_SZ, nullptr, stored, &size),
        ERROR_SUCCESS);
    EXPECT_EQ(std::string(stored, size), "S" + std::string(259, '\0'));
    yw::ClearSettings();
}

// Include subfolders is on for a REG_DWORD of 1 alone: anything else stored, or nothing, is off.
TEST(Settings, SubfoldersOnlyForADwordOfOne) {
    const struct {
        DWORD Type; // REG_NONE: no value stored
        std::string Bytes;
        int After; // 1 before the read
    } cases[] = {
        {REG_DWORD, std::string("\1\0\0\0", 4), 1},
        {REG_NONE, "", 0},
        {REG_DWORD, std::string("\0\0\0\0", 4), 0},
        {REG_DWORD, std::string("\2\0\0\0", 4), 0},
        {REG_DWORD, std::string("\1\0\0\1", 4), 0},
        {REG_DWORD, std::string("\1\0", 2), 0},
        {REG_SZ, std::string("1\0", 2), 0},
        {REG_BINARY, std::string("\1\0\0\0", 4), 0},
        {REG_QWORD, std::string("\1\0\0\0\0\0\0\0", 8), 0},
    };
    for (const auto& c : cases) {
        yw::ClearSettings();
        yw::WriteSettingValue("Unrelated", REG_SZ, "so the key exists");
        if (c.Type != REG_NONE)
            yw::WriteSettingValue("Subfolders", c.Type, c.Bytes);
        Subfolders = 1;
        EXPECT_TRUE(LoadSettings());
        EXPECT_EQ(Subfolders, c.After) << "case " << &c - cases;
    }
    yw::ClearSettings();
    Subfolders = 0;
}
