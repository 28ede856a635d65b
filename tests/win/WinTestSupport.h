// Scoped helpers for the tests that run inside the test program under Wine: the real main window
// and device, the back buffer read back, and dialogs answered on the test's own thread.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "tests/driver/Driver.h"

// The engine with its real (hidden) main window and the graphics device, as start-up makes them,
// and the settings key cleared before and after.
class ScopedGame {
public:
    ScopedGame();
    ~ScopedGame();

private:
    ScopedGame(const ScopedGame&) = delete;
    ScopedGame& operator=(const ScopedGame&) = delete;
};

// The back buffer as 0xRRGGBB pixels, read through a system-memory copy.
class BackBufferPixels {
public:
    BackBufferPixels();
    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * 800 + x]; }

private:
    std::vector<uint32_t> pixels_;
};

void FillBackBuffer(uint32_t rgb);

// While it lives, a timer on this thread, which any modal loop of the thread dispatches, runs
// the script once on each new dialog or message box of this process: the script reads the box,
// then presses (posts) a button. No second thread, so nothing races the box.
class OnEachDialog {
public:
    explicit OnEachDialog(std::function<void(HWND)> script);
    ~OnEachDialog();
    int Runs() const { return runs_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::function<void(HWND)> script_;
    UINT_PTR timer_;
    HWND last_ = nullptr;
    int runs_ = 0;
};
