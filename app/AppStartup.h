// From the entry point to a dealt board.
#pragma once

#include <windows.h>

// Creates the engine, its window and the device, reads the settings, scans the picture folder
// until it holds enough pictures, and deals. Returns 1 when the main loop may begin, else 0.
int AppStartup(HINSTANCE instance, int showCommand);
