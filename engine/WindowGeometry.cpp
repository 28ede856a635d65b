#include "engine/WindowGeometry.h"

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
