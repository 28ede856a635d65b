#include "app/Settings.h"

#include <vector>

#include "app/PlayerSettings.h"
#include "app/Texts.h"
#include "rules/PairChoice.h"

const char SettingsKey[] = "Software\\Brindlecot\\Twinlet";

char PicturePath[PathTextSize] = "Where Do You Want to Go?";
int Level = 1;
int Subfolders = 0;
int Fit = 0;
int ShowFound = 0;
int Calm = 0;
int SayNames = 0;
int RecognisePeople = 0;
int FullScreen = 0;
int Pairs = 0;

namespace {

// A REG_SZ of any length (an installer may write a short one), cut to 259 characters. An empty or
// wrongly typed value keeps the default: an empty folder would scan the drive's root.
void ReadPicturePath(HKEY key) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, "PicturePath", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size == 0)
        return;
    std::vector<char> data(size + 1, '\0');
    DWORD read = size;
    if (RegQueryValueExA(key, "PicturePath", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &read) !=
            ERROR_SUCCESS ||
        type != REG_SZ || data[0] == '\0')
        return;
    CopyPathText(PicturePath, data.data());
}

// Only a REG_DWORD is a level; anything else keeps the default.
void ReadLevel(HKEY key) {
    DWORD type = 0;
    DWORD level = 0;
    DWORD read = sizeof(level);
    if (RegQueryValueExA(key, "Level", nullptr, &type, reinterpret_cast<BYTE*>(&level), &read) ==
            ERROR_SUCCESS &&
        type == REG_DWORD && read == sizeof(level))
        Level = static_cast<int>(level);
}

// On only when stored as a REG_DWORD of 1: anything else is off, as the game always was (a flat
// folder, stretched pictures).
int ReadSwitch(HKEY key, const char* name) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD read = sizeof(value);
    const bool on = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &read) ==
                        ERROR_SUCCESS &&
                    type == REG_DWORD && read == sizeof(value) && value == 1;
    return on ? 1 : 0;
}

// A kind of pairs only as a REG_DWORD of one that exists; anything else deals twin pictures.
int ReadPairKind(HKEY key) {
    DWORD type = 0;
    DWORD value = 0;
    DWORD read = sizeof(value);
    if (RegQueryValueExA(key, "Pairs", nullptr, &type, reinterpret_cast<BYTE*>(&value), &read) != ERROR_SUCCESS ||
        type != REG_DWORD || read != sizeof(value))
        return 0;
    return static_cast<int>(PairKindOf(value));
}

void WriteSwitch(HKEY key, const char* name, int setting) {
    const DWORD value = setting == 1 ? 1 : 0;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

} // namespace

bool StorablePicturePath(const std::wstring& folder, std::string* stored) {
    return !folder.empty() && NarrowExactly(folder.c_str(), stored) && stored->size() < PathTextSize;
}

bool LoadSettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ReadPicturePath(key);
    ReadLevel(key);
    ReadPlayerSettings(key);
    Subfolders = ReadSwitch(key, "Subfolders");
    Fit = ReadSwitch(key, "Fit");
    ShowFound = ReadSwitch(key, "ShowFound");
    FullScreen = ReadSwitch(key, "FullScreen");
    Calm = ReadSwitch(key, "Calm");
    SayNames = ReadSwitch(key, "SayNames");
    RecognisePeople = ReadSwitch(key, "RecognisePeople");
    Pairs = ReadPairKind(key);
    RegCloseKey(key);
    return true;
}

void SaveSettings() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ | KEY_WRITE, &key) != ERROR_SUCCESS &&
        RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    // Always 260 bytes, zero behind the text: the buffer itself may still hold the tail of an
    // earlier, longer folder name.
    char stored[PathTextSize] = {};
    CopyPathText(stored, PicturePath);
    RegSetValueExA(key, "PicturePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(stored), PathTextSize);
    const DWORD level = static_cast<DWORD>(Level);
    RegSetValueExA(key, "Level", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&level), sizeof(level));
    WritePlayerSettings(key);
    WriteSwitch(key, "Subfolders", Subfolders);
    WriteSwitch(key, "Fit", Fit);
    WriteSwitch(key, "ShowFound", ShowFound);
    WriteSwitch(key, "FullScreen", FullScreen);
    WriteSwitch(key, "Calm", Calm);
    WriteSwitch(key, "SayNames", SayNames);
    WriteSwitch(key, "RecognisePeople", RecognisePeople);
    const DWORD pairs = static_cast<DWORD>(Pairs);
    RegSetValueExA(key, "Pairs", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&pairs), sizeof(pairs));
    RegCloseKey(key);
}
