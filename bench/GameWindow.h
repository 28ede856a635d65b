// The game seen from a benchmark in another process: the settings it starts with, its window found
// by its class, its board by a pixel of the first card's back.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

// Where the game keeps its settings.
inline constexpr char GameSettingsKey[] = "Software\\Brindlecot\\Twinlet";

// The game's settings made anew: the picture folder and the values given, every other one its default.
inline void WriteGameSettings(const std::string& folder,
                              std::initializer_list<std::pair<const char*, DWORD>> values) {
    RegDeleteTreeA(HKEY_CURRENT_USER, GameSettingsKey);
    HKEY settings;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, GameSettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &settings,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(settings, "PicturePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                   DWORD(folder.size() + 1));
    for (const auto& value : values)
        RegSetValueExA(settings, value.first, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value.second),
                       sizeof(value.second));
    RegCloseKey(settings);
}

struct ProcessWindow {
    DWORD Process;
    HWND Found;
};

inline BOOL CALLBACK FindGameWindow(HWND window, LPARAM data) {
    ProcessWindow* wanted = reinterpret_cast<ProcessWindow*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[32] = "";
    GetClassNameA(window, name, sizeof(name));
    if (process == wanted->Process && lstrcmpA(name, "Yorewind") == 0 && IsWindowVisible(window))
        wanted->Found = window;
    return wanted->Found == nullptr;
}

// The first card's back on the screen: the card back's violet at a point inside the first card.
inline bool ShowsBoard(HWND window) {
    POINT inside = {40, 40};
    ClientToScreen(window, &inside);
    const HDC screen = GetDC(nullptr);
    const COLORREF pixel = GetPixel(screen, inside.x, inside.y);
    ReleaseDC(nullptr, screen);
    const auto within = [](int a, int b) { return a - b < 24 && b - a < 24; };
    return within(GetRValue(pixel), 0xC4) && within(GetGValue(pixel), 0x83) && within(GetBValue(pixel), 0xFF);
}
