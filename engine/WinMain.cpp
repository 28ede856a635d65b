#include <windows.h>
#include <objbase.h>

#include "app/AppStartup.h"
#include "engine/MainLoop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // A single-threaded apartment: screen readers' calls into the board arrive as messages on this
    // thread, between those of the game, and the folder browser wants one too.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    const int code = AppStartup(instance, showCommand) ? RunMainLoop() : 0;
    if (com)
        CoUninitialize();
    return code;
}
