// The settings in a real registry (the test prefix's): what is stored, and what any stored
// value, however malformed, may leave in the two variables.
#include <gtest/gtest.h>

#include <cstring>

#include "app/Settings.h"
#include "tests/win/WinTestSupport.h"

namespace {

const char InitialPath[] = "Where Do You Want to Go?";

class SettingsTest : public testing::Test {
protected:
    // Writes a raw value under the settings key, creating it.
    static void Store(const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }

    static void StoreBytes(const char* name, DWORD type, const std::string& bytes) {
        Store(name, type, bytes.data(), static_cast<DWORD>(bytes.size()));
    }

    static void ExpectStored(const char* name, DWORD type, DWORD size) {
        DWORD storedType = 0;
        DWORD storedSize = 0;
        EXPECT_EQ(RegGetValueA(HKEY_CURRENT_USER, SettingsKey, name, RRF_RT_ANY | RRF_NOEXPAND, &storedType,
                               nullptr, &storedSize),
                  ERROR_SUCCESS)
            << name;
        EXPECT_EQ(storedType, type) << name;
        EXPECT_EQ(storedSize, size) << name;
    }

    // Whatever was stored, the path is a terminated text within its buffer.
    static void ExpectPathTerminated() { EXPECT_NE(memchr(PicturePath, '\0', sizeof(PicturePath)), nullptr); }

    ScopedSettingsKey key;
};

TEST_F(SettingsTest, FirstRunHasNoKeyAndKeepsTheInitialValues) {
    EXPECT_FALSE(LoadSettings());
    EXPECT_STREQ(PicturePath, InitialPath);
    EXPECT_EQ(Level, 1);
}

TEST_F(SettingsTest, SavedSettingsReadBackWithTheirStoredForm) {
    CopyPathText(PicturePath, "C:\\pictures\\holiday");
    Level = 7; // outside 1 to 4, yet kept as it is
    SaveSettings();
    ExpectStored("PicturePath", REG_SZ, 260);
    ExpectStored("Level", REG_DWORD, 4);

    CopyPathText(PicturePath, "something else");
    Level = 2;
    EXPECT_TRUE(LoadSettings());
    EXPECT_STREQ(PicturePath, "C:\\pictures\\holiday");
    EXPECT_EQ(Level, 7);

    // A second save over an existing key opens it rather than failing.
    Level = 3;
    SaveSettings();
    Level = 1;
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Level, 3);
}

TEST_F(SettingsTest, AMissingValueKeepsItsVariable) {
    Store("Level", REG_DWORD, "\x04\x00\x00\x00", 4);
    EXPECT_TRUE(LoadSettings());
    EXPECT_STREQ(PicturePath, InitialPath);
    EXPECT_EQ(Level, 4);

    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
    StoreBytes("PicturePath", REG_SZ, std::string("D:\\cards", 9));
    Level = 2;
    EXPECT_TRUE(LoadSettings());
    EXPECT_STREQ(PicturePath, "D:\\cards");
    EXPECT_EQ(Level, 2);
}

TEST_F(SettingsTest, OverLongOrUnterminatedPathsAreCutAndTerminated) {
    const std::string longText(400, 'x'); // no terminator at all
    StoreBytes("PicturePath", REG_BINARY, longText);
    EXPECT_TRUE(LoadSettings());
    ExpectPathTerminated();
    EXPECT_EQ(strlen(PicturePath), 259u);

    const std::string exact(260, 'y'); // exactly the buffer, no room for the terminator
    StoreBytes("PicturePath", REG_SZ, exact);
    EXPECT_TRUE(LoadSettings());
    ExpectPathTerminated();
    EXPECT_EQ(std::string(PicturePath), std::string(259, 'y'));

    StoreBytes("PicturePath", REG_BINARY, "abc"); // short and unterminated
    EXPECT_TRUE(LoadSettings());
    EXPECT_STREQ(PicturePath, "abc");
}

TEST_F(SettingsTest, ValuesOfOtherTypesAreTakenAsBytesWithinBounds) {
    Store("PicturePath", REG_DWORD, "\x41\x42\x43\x00", 4);
    Store("Level", REG_BINARY, "\x02\x00", 2);
    EXPECT_TRUE(LoadSettings());
    EXPECT_STREQ(PicturePath, "ABC");
    EXPECT_EQ(Level, 2);

    // More than four bytes can't be a level: it stays as it was.
    Level = 3;
    Store("Level", REG_BINARY, "\x01\x00\x00\x00\x01\x00\x00\x00", 8);
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Level, 3);
    StoreBytes("Level", REG_SZ, std::string("12345678901234567890", 21));
    EXPECT_TRUE(LoadSettings());
    EXPECT_EQ(Level, 3);
}

} // namespace
