// The game's window seen from a benchmark in another process: found by its class, its board by a
// pixel of the first card's back.
#pragma once

#include <windows.h>

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
