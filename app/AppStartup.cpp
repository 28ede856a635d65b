#include "app/AppStartup.h"

#include <new>

#include "app/OptionsDialog.h"
#include "app/PictureNames.h"
#include "app/PlayerSettings.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "app/StartupScan.h"
#include "app/Texts.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "game/FocusCue.h"
#include "game/NewRound.h"
#include "game/ResumeRound.h"
#include "pictures/WicDecoder.h"
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
        MessageBoxW(window, LoadText(IDS_NOT_ENOUGH).c_str(), LoadText(IDS_ERROR_CAPTION).c_str(), MB_OK);
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

// The formats Windows' own codecs read (TIFF, JPEG XR, and HEIF, RAW and more with the Store's
// extensions) join the scan.
void AddSystemCodecExtensions() {
    for (const std::string& extension : SystemCodecExtensions(InstalledSystemCodecs(), PictureExtensions))
        AddPictureExtension(extension);
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
    SetWindowTextW(Engine->Window, LoadText(IDS_APP_TITLE).c_str());
    ModuleInstance = instance;

    if (!InitDirect3D(Engine->Window)) {
        MessageBoxW(Engine->Window, LoadText(IDS_D3D_INIT_ERROR).c_str(), LoadText(IDS_ERROR).c_str(), MB_OK);
        return 0;
    }

    AddSystemCodecExtensions();

    // No stored settings: a first run, so the player chooses a folder before the first scan.
    const HWND window = Engine->Window;
    if (!LoadSettings()) {
        ShowOptionsDialog(window);
        if (WindowClosed(window))
            return 0;
    }
    ShowSoundSetting(window);
    if (!GatherPictures(window))
        return 0;

    StartFocusCue();
    if (!ResumeSavedRound())
        NewRound();
    ReleaseHeldInput(window);
    return 1;
}
