// Reading the settings from the test prefix's registry: whatever was stored, however malformed,
// the path stays a terminated text within its buffer and the level takes at most four bytes.
#include <gtest/gtest.h>

#include "app/Settings.h"
#include "tests/driver/Driver.h"

namespace {

struct Value {
    DWORD Type;
    std::string Bytes; // none stored when empty
};

TEST(Settings, HostileStoredValues) {
    const std::string initial = "Where Do You Want to Go?";
    const struct {
        const char* Why;
        Value Path, StoredLevel;
        std::string PathAfter;
        int LevelAfter;
    } cases[] = {
        {"as stored", {REG_SZ, std::string("D:\\cards", 9)}, {REG_DWORD, std::string("\4\0\0\0", 4)}, "D:\\cards", 4},
        {"values missing", {REG_SZ, ""}, {REG_DWORD, ""}, initial, 3},
        {"unterminated and long", {REG_BINARY, std::string(400, 'x')}, {REG_BINARY, std::string("\2\0", 2)},
         std::string(259, 'x'), 2},
        {"the whole buffer unterminated", {REG_SZ, std::string(260, 'y')}, {REG_DWORD, ""}, std::string(259, 'y'), 3},
        {"short and unterminated", {REG_BINARY, "abc"}, {REG_DWORD, std::string("\7\0\0\0", 4)}, "abc", 7},
        {"other types, over-long level", {REG_DWORD, std::string("ABC\0", 4)}, {REG_BINARY, std::string(8, '\1')},
         "ABC", 3},
        {"a level as text", {REG_SZ, ""}, {REG_SZ, std::string("12345678901234567890", 21)}, initial, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Why);
        yw::ClearSettings();
        yw::WriteSettingValue("Unrelated", REG_SZ, "so the key exists");
        if (!c.Path.Bytes.empty())
            yw::WriteSettingValue("PicturePath", c.Path.Type, c.Path.Bytes);
        if (!c.StoredLevel.Bytes.empty())
            yw::WriteSettingValue("Level", c.StoredLevel.Type, c.StoredLevel.Bytes);
        CopyPathText(PicturePath, initial.c_str());
        Level = 3;
        EXPECT_TRUE(LoadSettings());
        EXPECT_EQ(PicturePath, c.PathAfter);
        EXPECT_EQ(Level, c.LevelAfter);
    }
    yw::ClearSettings();
    EXPECT_FALSE(LoadSettings()) << "no key: a first run";
    Level = 1;
}

} // namespace
