// Scoped helpers for the tests that run under Wine: a real main window and device, pictures
// made on disk, back-buffer read-back and a second thread that answers modal boxes.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <vector>

// The engine with its real (hidden) main window and the graphics device, as start-up makes them.
// Tearing down destroys the window, which runs the program's own shutdown (settings included).
class ScopedGame {
public:
    ScopedGame();
    ~ScopedGame();
    HWND Window() const;
    // Deals at the level from pictures that fail to load: enough for tests of the rules, not the look.
    void DealWithoutPictures(int level);

private:
    ScopedGame(const ScopedGame&) = delete;
    ScopedGame& operator=(const ScopedGame&) = delete;
};

// Deletes the settings key when made and when gone, so registry tests start and end clean.
class ScopedSettingsKey {
public:
    ScopedSettingsKey();
    ~ScopedSettingsKey();
};

// A fresh folder under the temporary folder, removed with everything in it.
class ScopedTempFolder {
public:
    ScopedTempFolder();
    ~ScopedTempFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// 24-bit BMPs: one colour all over, or four quadrants (top-left, top-right, bottom-left, bottom-right).
void WriteSolidBmp(const std::string& path, int width, int height, uint32_t rgb);
void WriteQuadrantBmp(const std::string& path, int width, int height, const uint32_t rgb[4]);
void WriteBytes(const std::string& path, const std::string& bytes);

// The back buffer as 0xRRGGBB pixels, read through a system-memory copy.
class BackBufferPixels {
public:
    BackBufferPixels();
    uint32_t At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

// Fills the back buffer with one colour, as a known background before a draw.
void FillBackBuffer(uint32_t rgb);

// The text of a window, asked of the thread that owns it (so it works while a modal box runs).
std::string WindowText(HWND window);

// Finds a visible dialog or message box (#32770) of this process with the caption, waiting for
// it up to the timeout; null if none came.
HWND WaitForDialog(const char* caption, DWORD timeoutMs = 10000, HWND except = nullptr);

// Runs script on a second thread once a dialog with the caption is open; the script's result is
// collected with the future. The caller then opens the modal box on its own thread.
std::future<std::string> OnDialog(const char* caption, std::function<std::string(HWND)> script);

// Presses a button of a dialog from another thread without waiting for what it sets off.
void PressButton(HWND dialog, int id);

// The text of a message box (its static with id 0xFFFF).
std::string MessageBoxText(HWND box);
