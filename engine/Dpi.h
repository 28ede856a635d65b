// What Windows says of DPI. The calls came with Windows 10 1607; before it everything is 96 DPI.
#pragma once

#include <windows.h>

const UINT StandardDpi = 96;

UINT WindowDpi(HWND window);
UINT SystemDpi();
// A system metric as it is at that DPI.
int MetricForDpi(int index, UINT dpi);
// The fonts and sizes of the non-client area (the status bar's font among them) as they are at that DPI.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW* metrics, UINT dpi);
// What the non-client area of a window of these styles adds to its client at that DPI.
SIZE FrameForDpi(DWORD style, DWORD extendedStyle, bool hasMenu, UINT dpi);
