#include <windows.h>

#include "app/AppStartup.h"
#include "engine/MainLoop.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!AppStartup(instance, showCommand))
        return 0;
    return RunMainLoop();
}
