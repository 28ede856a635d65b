// Reading the settings from the test prefix's registry: whatever was stored, however malformed,
// the path stays a terminated text within its buffer and the level takes at most four bytes.
#include <gtest/gtest.h>

#include "app/Settings.h"
#include "tests/driver/Driver.h"

TEST(Settings, HostileStoredValues) {
    const std::string initial = "Where Do You Want to Go?";
    const struct {
        DWORD PathType;
        std::string Path; // none stored when empty
        DWORD LevelType;
        std::string StoredLevel;
        std::string PathAfter;
        int LevelAfter; // 3 before the read
    } cases[] = {
        {REG_SZ, std::string("D:\\cards", 9), REG_DWORD, std::string("\4\0\0\0", 4), "D:\\cards", 4},
        {REG_SZ, "", REG_DWORD, "", initial, 3},
        {REG_BINARY, std::string(400, 'x'), REG_BINARY, std::string("\2\0", 2), std::string(259, 'x'), 2},
        {REG_SZ, std::string(260, 'y'), REG_DWORD, "", std::string(259, 'y'), 3},
        {REG_BINARY, "abc", REG_DWORD, std::string("\7\0\0\0", 4), "abc", 7},
        {REG_DWORD, std::string("ABC\0", 4), REG_BINARY, std::string(8, '\1'), "ABC", 3},
        {REG_SZ, "", REG_SZ, std::string("12345678901234567890", 21), initial, 3},
    };
    for (const auto& c : cases) {
        yw::ClearSettings();
        yw::WriteSettingValue("Unrelated", REG_SZ, "so the key exists");
        if (!c.Path.empty())
            yw::WriteSettingValue("PicturePath", c.PathType, c.Path);
        if (!c.StoredLevel.empty())
            yw::WriteSettingValue("Level", c.LevelType, c.StoredLevel);
        CopyPathText(PicturePath, initial.c_str());
        Level = 3;
        EXPECT_TRUE(LoadSettings());
        EXPECT_EQ(PicturePath + std::string(" at ") + std::to_string(Level),
                  c.PathAfter + " at " + std::to_string(c.LevelAfter));
    }
    yw::ClearSettings();
    Level = 1;
}
