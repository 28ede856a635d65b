#include "tests/driver/Driver.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace yw {

namespace {

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, WaitMs, &result);
    return static_cast<LRESULT>(result);
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    Ask(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(10))
        if (GetTickCount() - start >= timeoutMs)
            return condition();
    return true;
}

GameProcess::GameProcess(const std::string& exe, const std::string& arguments) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                   &startup, &Info);
}

GameProcess::~GameProcess() {
    TerminateProcess(Info.hProcess, 1); // fails harmlessly when the game has ended
    WaitForSingleObject(Info.hProcess, WaitMs);
    CloseHandle(Info.hThread);
    CloseHandle(Info.hProcess);
}

std::string ProgramFolder() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, strrchr(path, '\\'));
}

HWND WaitForWindow(DWORD process, const char* className, const char* caption, DWORD timeoutMs) {
    HWND found = nullptr;
    const auto look = [&] {
        // From the top of the z-order: the newest first.
        while ((found = FindWindowExA(nullptr, found, className, caption)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == process && IsWindowVisible(found))
                return true;
        }
        return false;
    };
    WaitUntil(look, timeoutMs);
    return found;
}

std::vector<HWND> Pages(HWND dialog) {
    std::vector<HWND> pages;
    const HWND tabs = FindWindowExA(dialog, nullptr, WC_TABCONTROLA, nullptr);
    if (tabs == nullptr)
        return pages;
    // A page is made when its tab is first chosen: each is chosen once, as a player would, and the
    // tab chosen before comes back.
    const LRESULT shown = Ask(tabs, TCM_GETCURSEL, 0, 0);
    bool chose = false;
    for (LRESULT page = 0, count = Ask(tabs, TCM_GETITEMCOUNT, 0, 0); page < count; ++page) {
        if (Ask(dialog, PSM_INDEXTOHWND, page, 0) == 0) {
            Ask(dialog, PSM_SETCURSEL, page, 0);
            chose = true;
        }
        pages.push_back(reinterpret_cast<HWND>(Ask(dialog, PSM_INDEXTOHWND, page, 0)));
    }
    if (chose)
        Ask(dialog, PSM_SETCURSEL, shown, 0);
    return pages;
}

HWND Item(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    for (HWND page : Pages(dialog))
        control = control != nullptr ? control : GetDlgItem(page, id);
    return control;
}

std::string ItemText(HWND dialog, int id) {
    return WindowText(Item(dialog, id));
}

std::string Utf8(const std::wstring& text) {
    std::string narrow(text.size() * 4 + 1, '\0');
    narrow.resize(
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &narrow[0], int(narrow.size()), nullptr, nullptr));
    return narrow.c_str();
}

std::wstring Wide(const std::string& utf8) {
    std::wstring wide(utf8.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, &wide[0], int(wide.size())));
    return wide.c_str();
}

std::vector<std::string> ControlTexts(HWND dialog) {
    std::vector<std::string> texts;
    const std::vector<HWND> pages = Pages(dialog);
    for (HWND holder : pages.empty() ? std::vector<HWND>{dialog} : pages)
        for (HWND control = GetWindow(holder, GW_CHILD); control != nullptr;
             control = GetWindow(control, GW_HWNDNEXT))
            texts.push_back(WindowText(control));
    return texts;
}

namespace {

INT_PTR CALLBACK QuietDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

} // namespace

HWND CreateDialogIn(LANGID language, int id, int scalePercent) {
    const HRSRC found =
        FindResourceExW(nullptr, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(id), language);
    if (found == nullptr)
        return nullptr;
    const WORD* words = static_cast<const WORD*>(LockResource(LoadResource(nullptr, found)));
    std::vector<WORD> copy(words, words + (SizeofResource(nullptr, found) + 1) / 2);
    // DLGTEMPLATEEX's style, words 6 and 7: a page is a child, and a child needs a parent.
    DWORD style = copy[6] | DWORD(copy[7]) << 16;
    if (style & WS_CHILD)
        style = (style & ~WS_CHILD) | WS_POPUP;
    copy[6] = WORD(style);
    copy[7] = WORD(style >> 16);
    // DLGTEMPLATEEX: 13 words of header, then menu, class and title, then the font's point size.
    size_t at = 13;
    for (int field = 0; field < 2; ++field)
        at += copy[at] == 0 ? 1 : copy[at] == 0xFFFF ? 2 : wcslen(reinterpret_cast<wchar_t*>(&copy[at])) + 1;
    at += wcslen(reinterpret_cast<wchar_t*>(&copy[at])) + 1;
    copy[at] = WORD(copy[at] * scalePercent / 100);
    return CreateDialogIndirectParamW(nullptr, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), nullptr,
                                      QuietDialog, 0);
}

bool IsChecked(HWND dialog, int id) {
    return Ask(Item(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    Ask(Item(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

HWND VisibleChild(HWND window, const char* className) {
    struct Search {
        const char* Class;
        HWND Found;
    } search = {className, nullptr};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) {
            Search* search = reinterpret_cast<Search*>(data);
            char name[64] = "";
            GetClassNameA(child, name, sizeof(name));
            if (lstrcmpiA(name, search->Class) == 0 && IsWindowVisible(child))
                search->Found = child;
            return search->Found == nullptr ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool DropFiles(HWND window, const std::vector<std::string>& paths) {
    DROPFILES header = {};
    header.pFiles = sizeof(header);
    header.fWide = TRUE;
    std::wstring names;
    for (const std::string& path : paths)
        names += Wide(path) + L'\0';
    names += L'\0';
    std::string block(reinterpret_cast<const char*>(&header), sizeof(header));
    block.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    const HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, id);
    void* remote = process != nullptr ? VirtualAllocEx(process, nullptr, block.size(),
                                                       MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)
                                      : nullptr;
    const bool written = remote != nullptr &&
                         WriteProcessMemory(process, remote, block.data(), block.size(), nullptr) &&
                         PostMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0);
    if (process != nullptr)
        CloseHandle(process);
    return written;
}

void Press(HWND dialog, int id) {
    const HWND button = Item(dialog, id);
    const std::vector<HWND> pages = Pages(dialog);
    for (size_t page = 0; page < pages.size(); ++page)
        if (GetParent(button) == pages[page] && !IsWindowVisible(pages[page]))
            Ask(dialog, PSM_SETCURSEL, page, 0);
    PostMessageA(button, BM_CLICK, 0, 0);
}

void Choose(HWND dialog, int id, int item) {
    const HWND list = Item(dialog, id);
    Ask(list, CB_SETCURSEL, item, 0);
    Ask(GetParent(list), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

void Settle(HWND window, int messages) {
    for (int i = 0; i < messages; ++i)
        Ask(window, WM_NULL, 0, 0);
}

void Click(HWND window, POINT client, bool right) {
    ClientToScreen(window, &client);
    // Under Wine a cursor move warps the X pointer, and the game's thread reports the X motion
    // back late; one from an earlier click would carry this press to the earlier place. So the
    // press waits until the game's thread has looked at its queue (and X events) with the cursor here.
    WaitUntil([&] {
        SetCursorPos(client.x, client.y);
        Settle(window, 2);
        POINT now;
        return GetCursorPos(&now) && now.x == client.x && now.y == client.y;
    });
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void PressKey(WORD key, bool control) {
    PressChord(control ? std::vector<WORD>{VK_CONTROL} : std::vector<WORD>{}, key);
}

void PressChord(const std::vector<WORD>& held, WORD key) {
    // The held keys down, the key down and up, the held keys up in the reverse order.
    std::vector<WORD> keys(held);
    keys.push_back(key);
    keys.push_back(key);
    keys.insert(keys.end(), held.rbegin(), held.rend());
    std::vector<INPUT> inputs(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.dwFlags = i <= held.size() ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::vector<uint32_t> ScreenPixels(HWND window, RECT client) {
    const int width = client.right - client.left, height = client.bottom - client.top;
    POINT corner = {client.left, client.top};
    ClientToScreen(window, &corner);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels(size_t(width) * height);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, corner.x, corner.y, SRCCOPY);
        GdiFlush();
        for (size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = static_cast<const uint32_t*>(bits)[i] & 0xFFFFFF;
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

void ClearSettings() {
    RegDeleteTreeA(HKEY_CURRENT_USER, SettingsKey); // with its Statistics subkey
}

void WriteSettingValue(const char* name, DWORD type, const std::string& bytes) {
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKey, name, type, bytes.data(), DWORD(bytes.size()));
}

void WriteSettingNumber(const char* name, DWORD value) {
    WriteSettingValue(name, REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof(value)));
}

void WriteSettings(const std::string& picturePath, DWORD level) {
    WriteSettingValue("PicturePath", REG_SZ, picturePath + '\0');
    WriteSettingNumber("Level", level);
}

std::string RegistryText(const char* key, const char* name) {
    char text[1024] = "";
    DWORD size = sizeof(text);
    RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

DWORD RegistryNumber(const char* key, const char* name) {
    DWORD value = 0xFFFFFFFF, size = sizeof(value);
    RegGetValueA(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

std::string StoredSettings() {
    const DWORD level = RegistryNumber(SettingsKey, "Level");
    const std::string path = RegistryText(SettingsKey, "PicturePath");
    return path.empty() ? "" : path + " at level " + std::to_string(level == 0xFFFFFFFF ? 0 : level);
}

std::vector<std::string> PicturesBeingRead(DWORD process) {
    std::vector<std::string> paths;
    HKEY reading;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (std::string(SettingsKey) + "\\Reading").c_str(), 0, KEY_READ, &reading) != 0)
        return paths;
    char run[64];
    wchar_t name[16384];
    for (DWORD i = 0, size = sizeof(run); RegEnumKeyExA(reading, i, run, &size, nullptr, nullptr, nullptr, nullptr) == 0;
         ++i, size = sizeof(run)) {
        HKEY notes;
        // A run is named "<process id>-<creation time>".
        if ((process != 0 && std::strtoul(run, nullptr, 10) != process) ||
            RegOpenKeyExA(reading, run, 0, KEY_READ, &notes) != 0)
            continue;
        for (DWORD j = 0, length = 16384;
             RegEnumValueW(notes, j, name, &length, nullptr, nullptr, nullptr, nullptr) == 0; ++j, length = 16384)
            paths.push_back(Utf8(name)); // the wide call: Wine's ANSI one cuts a UTF-8 name
        RegCloseKey(notes);
    }
    RegCloseKey(reading);
    return paths;
}

TempFolder::TempFolder(const std::string& name) {
    static int counter = 0;
    const std::string leaf = "yw" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / std::filesystem::u8path(leaf + name);
    Folder = folder.u8string();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored); // left by an earlier run that was killed
    std::filesystem::create_directories(folder);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::u8path(Folder), ignored);
}

} // namespace yw
