#include "engine/WindowGeometry.h"

#include <cstdint>

WindowPlacement PlaceMainWindow(int clientWidth, int clientHeight, bool hasMenu,
                                const WindowMetrics& metrics) {
    WindowPlacement placement;
    placement.Width = clientWidth + 2 * metrics.FixedFrameX;
    placement.Height =
        clientHeight + 2 * metrics.FixedFrameY + metrics.Caption + (hasMenu ? metrics.Menu : 0);
    // C++ division truncates toward zero, as the centring wants for negative results.
    placement.Left = (metrics.ScreenX - placement.Width) / 2;
    placement.Top = (metrics.ScreenY - placement.Height) / 2;
    return placement;
}

WindowPlacement PlaceMainWindowForDpi(int clientWidth, int clientHeight, bool hasMenu,
                                      const WindowMetrics& metrics96, FrameSize frame96, FrameSize frame,
                                      int dpi, const WorkArea& work) {
    const WindowPlacement standard = PlaceMainWindow(clientWidth, clientHeight, hasMenu, metrics96);
    if (dpi == 96 || dpi <= 0)
        return standard;
    const int64_t width96 = standard.Width - frame96.Width;
    const int64_t height96 = standard.Height - frame96.Height;
    int64_t width = (width96 * dpi + 48) / 96;
    int64_t height = (height96 * dpi + 48) / 96;
    const int64_t roomX = int64_t(work.Width) - frame.Width;
    const int64_t roomY = int64_t(work.Height) - frame.Height;
    if (width > roomX || height > roomY) {
        // The side that runs out of room first sets the scale.
        if (roomX * height < roomY * width) {
            height = roomX * height / width;
            width = roomX;
        } else {
            width = roomY * width / height;
            height = roomY;
        }
        if (width < width96 || height < height96) {
            width = width96;
            height = height96;
        }
    }
    WindowPlacement placement;
    placement.Width = static_cast<int>(width) + frame.Width;
    placement.Height = static_cast<int>(height) + frame.Height;
    placement.Left = work.Left + (work.Width - placement.Width) / 2;
    placement.Top = work.Top + (work.Height - placement.Height) / 2;
    return placement;
}
