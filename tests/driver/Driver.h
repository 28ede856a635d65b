// The one test driver for Windows-side and end-to-end tests: it plays Yorewind from outside as a
// player would (a process, its windows and dialogs, mouse clicks, screen pixels) and prepares what
// a run finds (the settings key, picture folders). Works in-process and across processes alike.
//
// Rules it keeps, so tests built on it have no races and no fixed sleeps:
// - every wait is bounded (WaitUntil) and says whether the condition came;
// - a dialog is read (ItemText, MessageText, IsChecked) before one of its buttons is
//   pressed, on the test's own thread; Press only posts, so it never blocks on what the press sets off;
// - an end-to-end test owns its game through GameProcess, whose destructor kills a game left
//   running (for instance behind a modal box the test did not expect), so ctest never waits on it.
// Under Wine without a window manager, screen coordinates are X root coordinates; scripts/test
// sets Managed=N, so dialogs open and close without waiting for one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace yw {

// The usual bound of a wait: generous, since a passing test never waits it out and a loaded
// machine under Wine can be slow.
const DWORD WaitMs = 20000;

// Polls the condition every 10 ms until it holds or the bound passes; returns its last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = WaitMs);

// A program started with CreateProcess in the same Wine prefix, its folder as working folder, with
// the arguments (UTF-8) after its quoted name. The destructor kills it if it still runs (a test
// that failed half-way leaves no modal box). Under Wine it speaks this process's language, whatever
// its environment says.
struct GameProcess {
    explicit GameProcess(const std::string& exe, const std::string& arguments = "");
    ~GameProcess();
    DWORD Id() const { return Info.dwProcessId; }
    // Ended within the bound, with code 0.
    bool EndedWell() const {
        DWORD code = STILL_ACTIVE;
        return WaitForSingleObject(Info.hProcess, WaitMs) == 0 && GetExitCodeProcess(Info.hProcess, &code) &&
               code == 0;
    }
    PROCESS_INFORMATION Info = {};
};

// The folder of the running test program, where the build puts Yorewind.exe and test-pictures:
// solid pictures (JPEG, PNG and BMP) each named by its colour as RRGGBB in hex.
std::string ProgramFolder();

// The newest visible top-level window of the process with the class and, unless null, the
// caption, waiting for one up to the bound; null if none came. Dialogs and message boxes have the
// class "#32770"; a bound of 0 looks once.
HWND WaitForWindow(DWORD process, const char* className, const char* caption, DWORD timeoutMs = WaitMs);
inline HWND WaitForDialog(DWORD process, const char* caption, DWORD timeoutMs = WaitMs) {
    return WaitForWindow(process, "#32770", caption, timeoutMs);
}

// A text as UTF-8, as the tests write theirs, and back to UTF-16.
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

// The dialog's control of that id; in a property sheet, the sheet's own (OK, Cancel) or else the one
// on any of its pages. The helpers below find their controls so.
HWND Item(HWND dialog, int id);
// A property sheet's pages in the order of their tabs, pages never shown made by choosing their
// tabs; none for another dialog.
std::vector<HWND> Pages(HWND dialog);

// A control's text through WM_GETTEXT, answered by the owner's thread even while it runs a modal loop.
std::string ItemText(HWND dialog, int id);
// A message box's text is its static control with id 0xFFFF.
inline std::string MessageText(HWND box) {
    return ItemText(box, 0xFFFF);
}
bool IsChecked(HWND dialog, int id);
// The texts of a dialog's controls in their order; of a property sheet, those of its pages', page
// after page.
std::vector<std::string> ControlTexts(HWND dialog);
// A hidden dialog of this program's resources in exactly that language, its font scaled (150: a
// font of 12 points at 96 DPI is the one of 8 points at 144), a sheet's page made a dialog of its
// own; null when the language lacks it.
HWND CreateDialogIn(LANGID language, int id, int scalePercent = 100);
// Replaces a control's text, as typing would (read-only edit boxes included).
void SetItemText(HWND dialog, int id, const std::string& text);

// The first visible window of the class among the window's descendants; null when there is none.
HWND VisibleChild(HWND window, const char* className);

// Drops the paths (UTF-8) on the window as Explorer does: WM_DROPFILES with a DROPFILES block of
// wide paths in the window's own process, written there from here. The receiver's DragFinish frees
// nothing of it under Wine; the block goes with the process. False when it could not be written.
bool DropFiles(HWND window, const std::vector<std::string>& paths);

// Posts BM_CLICK to the dialog's button (push button, radio or check box) and returns at once; a
// button on a sheet's page hidden behind another tab has its page brought forward first.
void Press(HWND dialog, int id);
// Selects a drop-down list's item and tells the list's dialog, as a player's choice would.
void Choose(HWND dialog, int id, int item);
// Sends WM_NULL `messages` times, each answered at one more look of the window's thread at its
// queue; a look hands on at most one waiting message. Give one more than the messages (input
// included) that must be handled first, so a test can then check that they changed nothing.
void Settle(HWND window, int messages);

// A press and release of the left or right button at a client point: the cursor is put there
// (exact, where absolute SendInput moves round differently on Windows and Wine), then SendInput
// presses. Under Wine it first lets the window's thread catch up with the pointer's X motion.
void Click(HWND window, POINT client, bool right = false);
// A press and release of a key, with Ctrl held when asked, through SendInput: it goes to the
// foreground window, as a player's key would.
void PressKey(WORD key, bool control = false);
// A press and release of a key while the others (VK_CONTROL, VK_SHIFT, VK_MENU) are held.
void PressChord(const std::vector<WORD>& held, WORD key);
// The screen's pixels of a rectangle of the client, as 0xRRGGBB, row by row (black off the screen).
std::vector<uint32_t> ScreenPixels(HWND window, RECT client);
inline uint32_t ScreenPixel(HWND window, POINT p) {
    return ScreenPixels(window, {p.x, p.y, p.x + 1, p.y + 1})[0];
}
// True when every channel is within the tolerance (lossy pictures come back a little off).
bool Near(uint32_t a, uint32_t b, int tolerance = 24);

// A text value of the user's registry, up to its first zero; "" when it or its key is missing.
std::string RegistryText(const char* key, const char* name);
// A REG_DWORD of the user's registry; 0xFFFFFFFF when it or its key is missing.
DWORD RegistryNumber(const char* key, const char* name);

// The settings key, HKCU\Software\Brindlecot\Twinlet: PicturePath (REG_SZ), Level (REG_DWORD).
const char SettingsKey[] = "Software\\Brindlecot\\Twinlet";
void ClearSettings();
void WriteSettings(const std::string& picturePath, DWORD level);
// What the key holds as "<PicturePath> at level <Level>"; "" when no PicturePath is stored, and a
// missing Level reads as 0.
std::string StoredSettings();
// One raw value of any type and bytes, creating the key; a REG_DWORD.
void WriteSettingValue(const char* name, DWORD type, const std::string& bytes);
void WriteSettingNumber(const char* name, DWORD value);

// The files the games note they are reading now (app/CrashRecord.h: the values under the settings
// key's Reading subkeys), in no particular order: those of the process, or of every run, ended or not.
std::vector<std::string> PicturesBeingRead(DWORD process = 0);

// A fresh folder under %TEMP%, its name ending in the given text (any the ANSI code page holds),
// removed with everything in it when the object goes.
// Texts are UTF-8 in a program whose manifest asks for that code page, as the game's does.
struct TempFolder {
    explicit TempFolder(const std::string& name = "");
    ~TempFolder();
    const std::string& Path() const { return Folder; }
    std::string File(const std::string& name) const { return Folder + "\\" + name; }
    std::string Folder;
};

} // namespace yw
