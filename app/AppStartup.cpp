#include "app/AppStartup.h"

#include <new>

#include "app/OptionsDialog.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "app/StartupScan.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "game/FocusCue.h"
#include "game/NewRound.h"
#include "res/resource.h"

namespace {

// A modal box runs the window's messages, so the player (or a log-off) may close the window
// meanwhile; its destruction has then stored the settings and deleted the engine, and start-up
// must touch neither again.
bool WindowClosed(HWND window) {
    return !IsWindow(window);
}

// Until the folder holds enough pictures the player is told so and asked for another folder.
// Cancel there is the way out for a player who has no such folder: the program ends, and the
// window's destruction stores the settings as at any end. Returns false when the window is gone.
bool GatherPictures(HWND window) {
    if (!ScanWhileWindowLives(window))
        return false;
    while (PictureList.size() < MinPictures) {
        MessageBoxA(window, "No enough images in the folder. \nAdd more pictures or change to another folder",
                    "Yorewind. Error", MB_OK);
        if (WindowClosed(window))
            return false;
        ForgetHeldInput();
        const INT_PTR answer = ShowOptionsDialog(window);
        if (WindowClosed(window))
            return false;
        PictureList.clear();
        // A dialog that cannot even open would otherwise ask again forever.
        if (answer == -1 || LOWORD(answer) == IDCANCEL) {
            DestroyWindow(window);
            return false;
        }
        if (!ScanWhileWindowLives(window))
            return false;
    }
    return true;
}

} // namespace

int AppStartup(HINSTANCE instance, int showCommand) {
    // The engine's constructor copies both texts.
    LoadStringA(instance, IDS_APP_TITLE, AppTitle, AppTextLength);
    LoadStringA(instance, IDS_CLASS_NAME, AppClassName, AppTextLength);

    Engine = new (std::nothrow) GameEngine(instance);
    if (Engine == nullptr)
        return 0;
    Engine->FrameDelay = 33;
    StartupUnderWay = true;
    if (!Engine->Initialize(showCommand))
        return 0;
    ModuleInstance = instance;

    if (!InitDirect3D(Engine->Window)) {
        MessageBoxA(Engine->Window, "Error initializing Direct3D", "Error", MB_OK);
        return 0;
    }

    // No stored settings: a first run, so the player chooses a folder before the first scan.
    const HWND window = Engine->Window;
    if (!LoadSettings()) {
        ShowOptionsDialog(window);
        if (WindowClosed(window))
            return 0;
    }
    if (!GatherPictures(window))
        return 0;

    StartFocusCue();
    NewRound();
    ReleaseHeldInput(window);
    return 1;
}
