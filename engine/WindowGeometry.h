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

// What the non-client area adds to the client, as AdjustWindowRectExForDpi says.
struct FrameSize {
    int Width;
    int Height;
};

// The screen less the taskbar and docked bars (SPI_GETWORKAREA).
struct WorkArea {
    int Left;
    int Top;
    int Width;
    int Height;
};

// At 96 DPI the window of PlaceMainWindow, from metrics at 96 DPI. At another DPI its client is
// that window's client (its size less frame96) scaled by dpi / 96, made smaller keeping its shape
// where the window (the client and frame) would not fit the work area, though never smaller than
// at 96 DPI; centred in the work area, so that a window made to fit it never lies under the taskbar.
WindowPlacement PlaceMainWindowForDpi(int clientWidth, int clientHeight, bool hasMenu,
                                      const WindowMetrics& metrics96, FrameSize frame96, FrameSize frame,
                                      int dpi, const WorkArea& work);
