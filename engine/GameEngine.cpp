#include "engine/GameEngine.h"

#include "app/StartupData.h"
#include "res/resource.h"

GameEngine* GameEngine::Instance = nullptr;
GameEngine* Engine = nullptr;

GameEngine::GameEngine(HINSTANCE instance) : AppInstance(instance), Window(nullptr) {
    Instance = this;
    WindowClass[0] = '\0';
    Title[0] = '\0';
    // Both texts were loaded with a limit of 100, so the copies always fit.
    if (lstrlenA(AppClassName) > 0)
        lstrcpyA(WindowClass, AppClassName);
    if (lstrlenA(AppTitle) > 0)
        lstrcpyA(Title, AppTitle);
    IconId = IDI_YOREWIND;
    SmallIconId = IDI_SMALL;
    MenuId = IDC_YOREWIND;
    ClientWidth = 800;
    ClientHeight = 600;
    FrameDelay = 50;
    Sleeping = TRUE;
    FrameWanted = TRUE;
    SizeMoving = FALSE;
}

GameEngine::~GameEngine() {
    if (Instance == this)
        Instance = nullptr;
}
