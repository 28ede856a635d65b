#include "app/ScanProgress.h"

#include "app/Texts.h"
#include "res/resource.h"

namespace {

// Defined here: libuuid's copies would clash with the screen reader's GUIDs when linked statically.
const CLSID TaskbarListClass = {0x56FDF344, 0xFD6D, 0x11D0, {0x95, 0x8A, 0x00, 0x60, 0x97, 0xC9, 0xA0, 0x90}};
const IID TaskbarList3Interface = {
    0xEA1AFB91, 0x9E28, 0x4B86, {0x90, 0xE9, 0x9E, 0x9F, 0x8A, 0x5E, 0xEF, 0xAF}};

} // namespace

ScanProgress::ScanProgress(HWND window) : Window(window), Shown(false), LastFound(0), Taskbar(nullptr) {}

ScanProgress::~ScanProgress() {
    if (!Shown)
        return;
    SetWindowTextW(Window, Caption.c_str());
    if (Taskbar != nullptr) {
        Taskbar->SetProgressState(Window, TBPF_NOPROGRESS);
        Taskbar->Release();
    }
}

void ScanProgress::Show(size_t found) {
    if (Shown && found == LastFound)
        return;
    LastFound = found;
    if (!Shown) {
        Shown = true;
        Caption = WindowText(Window);
        // The window's thread is in the program's single-threaded apartment. A shell without the
        // taskbar's interface, or one that refuses it, leaves the caption alone to tell.
        void* taskbar = nullptr;
        if (SUCCEEDED(CoCreateInstance(TaskbarListClass, nullptr, CLSCTX_INPROC_SERVER, TaskbarList3Interface,
                                       &taskbar))) {
            Taskbar = static_cast<ITaskbarList3*>(taskbar);
            if (SUCCEEDED(Taskbar->HrInit()))
                Taskbar->SetProgressState(Window, TBPF_INDETERMINATE);
        }
    }
    SetWindowTextW(Window, FormatText(IDS_SCAN_PROGRESS, {static_cast<unsigned>(found)}).c_str());
}
