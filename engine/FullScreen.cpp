#include "engine/FullScreen.h"

#include "app/Settings.h"
#include "res/resource.h"

namespace {

// The frame the window loses: it keeps its system menu and minimise box, so the taskbar can still
// minimise it.
const DWORD FramedStyle = WS_CAPTION | WS_THICKFRAME | WS_MAXIMIZEBOX;
const DWORD FramedExStyle = WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;

struct Restore {
    bool Full = false;
    WINDOWPLACEMENT Placement = {};
    LONG_PTR Style = 0;
    LONG_PTR ExStyle = 0;
    HMENU Menu = nullptr;
};

// Only the window's thread touches it.
Restore Saved;

void ShowSetting(HWND window) {
    CheckMenuItem(WindowMenu(window), IDM_FULLSCREEN, MF_BYCOMMAND | (Saved.Full ? MF_CHECKED : MF_UNCHECKED));
}

void CoverMonitor(HWND window) {
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor))
        return;
    const RECT& area = monitor.rcMonitor;
    SetWindowPos(window, HWND_NOTOPMOST, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

} // namespace

bool InFullScreen() {
    return Saved.Full;
}

void ToggleFullScreen(HWND window) {
    if (Saved.Full)
        LeaveFullScreen(window);
    else
        EnterFullScreen(window);
}

namespace {

// The frame changes in steps (the menu, the styles, the place), each a new client size: as during a
// drag, the board is fitted once, when the last step is done, not reset and its cards made anew at
// every step between.
struct OneFit {
    explicit OneFit(HWND frame) : Window(frame) { SendMessageW(Window, WM_ENTERSIZEMOVE, 0, 0); }
    ~OneFit() { SendMessageW(Window, WM_EXITSIZEMOVE, 0, 0); }
    OneFit(const OneFit&) = delete;
    OneFit& operator=(const OneFit&) = delete;
    HWND Window;
};

} // namespace

void EnterFullScreen(HWND window) {
    if (Saved.Full)
        return;
    Saved.Placement.length = sizeof(Saved.Placement);
    if (!GetWindowPlacement(window, &Saved.Placement))
        return;
    Saved.Style = GetWindowLongPtrW(window, GWL_STYLE);
    Saved.ExStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    Saved.Menu = GetMenu(window);
    Saved.Full = true;
    FullScreen = 1;
    const OneFit fit(window);
    // A maximised window would keep its maximised frame under the new style.
    if (IsZoomed(window))
        ShowWindow(window, SW_RESTORE);
    SetMenu(window, nullptr);
    SetWindowLongPtrW(window, GWL_STYLE, Saved.Style & ~LONG_PTR(FramedStyle));
    SetWindowLongPtrW(window, GWL_EXSTYLE, Saved.ExStyle & ~LONG_PTR(FramedExStyle));
    CoverMonitor(window);
    ShowSetting(window);
}

void LeaveFullScreen(HWND window) {
    if (!Saved.Full)
        return;
    Saved.Full = false;
    FullScreen = 0;
    const OneFit fit(window);
    SetWindowLongPtrW(window, GWL_STYLE, Saved.Style);
    SetWindowLongPtrW(window, GWL_EXSTYLE, Saved.ExStyle);
    SetMenu(window, Saved.Menu);
    SetWindowPlacement(window, &Saved.Placement);
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
    ShowSetting(window);
}

void RefitFullScreen(HWND window) {
    if (Saved.Full)
        CoverMonitor(window);
}

HMENU WindowMenu(HWND window) {
    return Saved.Full ? Saved.Menu : GetMenu(window);
}

void GrowRestoredWindow(int by) {
    Saved.Placement.rcNormalPosition.bottom += by;
}
