#include "app/Settings.h"

#include <cstring>
#include <vector>

const char SettingsKey[] = "Software\\Brindlecot\\Twinlet";

char PicturePath[PathTextSize] = "Where Do You Want to Go?";
int Level = 1;

namespace {

// Takes the stored bytes whatever their type, but never past the buffer and never unterminated:
// a value without a terminator in its first 260 bytes is cut to 259 characters.
void ReadPicturePath(HKEY key) {
    DWORD size = 0;
    if (RegQueryValueExA(key, "PicturePath", nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return;
    std::vector<BYTE> data(size + 1, 0);
    DWORD read = size;
    if (RegQueryValueExA(key, "PicturePath", nullptr, nullptr, data.data(), &read) != ERROR_SUCCESS)
        return;
    const size_t kept = read < PathTextSize ? read : PathTextSize;
    memcpy(PicturePath, data.data(), kept);
    if (memchr(PicturePath, '\0', kept) == nullptr)
        PicturePath[kept < PathTextSize ? kept : PathTextSize - 1] = '\0';
}

// At most four bytes, least significant first; a longer value leaves Level as it was.
void ReadLevel(HKEY key) {
    BYTE data[4] = {0, 0, 0, 0};
    DWORD read = sizeof(data);
    if (RegQueryValueExA(key, "Level", nullptr, nullptr, data, &read) != ERROR_SUCCESS)
        return;
    Level = static_cast<int>(static_cast<DWORD>(data[0]) | static_cast<DWORD>(data[1]) << 8 |
                             static_cast<DWORD>(data[2]) << 16 | static_cast<DWORD>(data[3]) << 24);
}

} // namespace

bool LoadSettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ReadPicturePath(key);
    ReadLevel(key);
    RegCloseKey(key);
    return true;
}

void SaveSettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS &&
        RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    // The whole buffer, always 260 bytes; it is terminated, so it reads back whole.
    RegSetValueExA(key, "PicturePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(PicturePath), PathTextSize);
    const DWORD level = static_cast<DWORD>(Level);
    RegSetValueExA(key, "Level", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&level), sizeof(level));
    RegCloseKey(key);
}
