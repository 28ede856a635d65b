// Where the main window stands and how big it is: pure arithmetic on the system metrics.
#pragma once

struct WindowMetrics {
    int FixedFrameX; // SM_CXFIXEDFRAME
    int FixedFrameY; // SM_CYFIXEDFRAME
    int Caption;     // SM_CYCAPTION
    int Menu;        // SM_CYMENU
    int ScreenX;     // SM_CXSCREEN
    int ScreenY;     // SM_CYSCREEN
};

struct WindowPlacement {
    int Left;
    int Top;
    int Width;
    int Height;
};

// The window is sized from the client size with the fixed-frame metrics (a menu adds its
// height) and centred on the screen; on a screen smaller than the window the corner is negative.
WindowPlacement PlaceMainWindow(int clientWidth, int clientHeight, bool hasMenu,
                                const WindowMetrics& metrics);
