#include "engine/Dpi.h"

namespace {

// Looked up by name, so the program still starts where user32 lacks them.
template <typename Function>
Function User32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

} // namespace

UINT WindowDpi(HWND window) {
    const auto getDpiForWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return dpi != 0 ? dpi : StandardDpi;
}

UINT SystemDpi() {
    const auto getDpiForSystem = User32<UINT(WINAPI*)()>("GetDpiForSystem");
    const UINT dpi = getDpiForSystem != nullptr ? getDpiForSystem() : 0;
    return dpi != 0 ? dpi : StandardDpi;
}

int MetricForDpi(int index, UINT dpi) {
    const auto getSystemMetricsForDpi = User32<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
    return getSystemMetricsForDpi != nullptr ? getSystemMetricsForDpi(index, dpi) : GetSystemMetrics(index);
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW* metrics, UINT dpi) {
    const auto forDpi = User32<BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT)>("SystemParametersInfoForDpi");
    metrics->cbSize = sizeof(*metrics);
    return forDpi != nullptr
               ? forDpi(SPI_GETNONCLIENTMETRICS, sizeof(*metrics), metrics, 0, dpi) != 0
               : SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(*metrics), metrics, 0) != 0;
}

SIZE FrameForDpi(DWORD style, DWORD extendedStyle, bool hasMenu, UINT dpi) {
    const auto adjustForDpi =
        User32<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    RECT frame = {0, 0, 0, 0};
    if (adjustForDpi != nullptr)
        adjustForDpi(&frame, style, hasMenu, extendedStyle, dpi);
    else
        AdjustWindowRectEx(&frame, style, hasMenu, extendedStyle);
    return {frame.right - frame.left, frame.bottom - frame.top};
}
