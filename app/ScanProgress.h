// What a long picture scan shows: the pictures found so far in the caption, and the taskbar
// button's progress in its indeterminate state.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include <cstddef>
#include <string>

class ScanProgress {
public:
    explicit ScanProgress(HWND window);
    // The caption comes back and the button's progress goes.
    ~ScanProgress();
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;

    void Show(size_t found);

private:
    HWND Window;
    std::wstring Caption; // the window's own, put back at the end
    bool Shown;
    size_t LastFound;
    ITaskbarList3* Taskbar; // owned; null where the shell has none (Wine)
};
