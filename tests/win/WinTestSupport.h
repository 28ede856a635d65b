// Helpers for the tests that run the program's code inside the test program under Wine.
#pragma once

#include <windows.h>

#include <cstdint>

#include "tests/driver/Driver.h"

// The engine with its real (hidden) main window and the graphics device, as start-up makes them;
// the settings that its shutdown stores are cleared afterwards.
class ScopedGame {
public:
    ScopedGame();
    ~ScopedGame();
};

// One pixel of the back buffer as 0xRRGGBB, read through a system-memory copy.
uint32_t BackBufferPixel(int x, int y);
