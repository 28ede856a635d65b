#include "app/AppStartup.h"

#include <new>

#include "app/CommandLine.h"
#include "app/CrashRecord.h"
#include "app/FolderDrop.h"
#include "app/GivenFolder.h"
#include "app/OptionsDialog.h"
#include "app/PictureExtensions.h"
#include "app/PictureShortfall.h"
#include "app/PlayerSettings.h"
#include "app/ScanPictures.h"
#include "app/Settings.h"
#include "app/StartupData.h"
#include "app/StartupScan.h"
#include "app/Texts.h"
#include "board/FocusCue.h"
#include "board/NewRound.h"
#include "board/PeopleWait.h"
#include "board/ResumeRound.h"
#include "board/SystemLook.h"
#include "engine/FullScreen.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "pictures/WicCodecs.h"
#include "res/resource.h"
#include "rules/Deal.h"

namespace {

// A modal box runs the window's messages, so the player (or a log-off) may close the window
// meanwhile; its destruction has then stored the settings and deleted the engine, and start-up
// must touch neither again.
bool WindowClosed(HWND window) {
    return !IsWindow(window);
}

// Until the folder holds enough pictures the player is told why (first the refusal given, then
// that there are too few) and asked for another folder; a board of people the index is still
// finding waits for them instead (board/PeopleWait.h). Cancel there is the way out for a player
// who has no such folder: the program ends, and the window's destruction stores the settings as at
// any end. Returns false when the window is gone.
// A folder given and refused is told by what its scan found, `refused`.
bool GatherPictures(HWND window, UINT refusal, const std::vector<std::string>& refused) {
    for (bool first = true;
         !(refusal == IDS_NOT_ENOUGH && PeopleStillComing()) && !Shortfall(PictureList, refusal).empty();
         first = false) {
        const std::wstring told = Shortfall(first && !refused.empty() ? refused : PictureList, refusal);
        MessageBoxW(window, (told.empty() ? LoadText(refusal) : told).c_str(), LoadText(IDS_ERROR_CAPTION).c_str(),
                    MB_OK);
        refusal = IDS_NOT_ENOUGH;
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
        if (!ScanWhileWindowLives(window, PictureRequest(), &PictureList))
            return false;
    }
    return true;
}

// The first scan: of the folder named on the command line, which replaces the stored one only
// when it plays, or else of the stored folder, chosen first on a first run. The refusal to tell
// when it falls short; 0 when the window is gone.
UINT FirstScan(HWND window, bool stored, std::vector<std::string>* refused) {
    std::wstring given;
    if (FolderArgument(&given)) {
        const GivenFolderResult result = TakeGivenFolder(window, given, refused);
        return result == GivenFolderResult::WindowClosed ? 0 : RefusalText(result);
    }
    if (!stored) {
        ShowOptionsDialog(window);
        if (WindowClosed(window))
            return 0;
    }
    return ScanWhileWindowLives(window, PictureRequest(), &PictureList) ? IDS_NOT_ENOUGH : 0;
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

    const HWND window = Engine->Window;
    const bool stored = LoadSettings();
    // Before the first picture is read, since the last run may have ended on one; after the
    // settings, whose key it makes.
    OpenCrashRecord();
    ShowSoundSetting(window);
    if (FullScreen == 1)
        EnterFullScreen(window);
    std::vector<std::string> refused;
    const UINT refusal = FirstScan(window, stored, &refused);
    if (refusal == 0 || !GatherPictures(window, refusal, refused))
        return 0;
    ListFolder = PicturePath;
    ListSubfolders = Subfolders;

    StartFocusCue();
    FollowSystemLook();
    if (!ResumeSavedRound())
        NewRound();
    ReleaseHeldInput(window);
    AcceptFolderDrops(window);
    return 1;
}
