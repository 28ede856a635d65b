#include "tests/driver/Driver.h"

#include <cstdlib>
#include <cstring>
#include <fstream>

namespace yw {

namespace {

const char SettingsKey[] = "Software\\Brindlecot\\Twinlet";

struct WindowSearch {
    DWORD Process;
    const char* ClassName;
    const char* Caption;
    HWND Found;
    int Count;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = "";
    GetClassNameA(window, className, sizeof(className));
    if (process != search->Process || strcmp(className, search->ClassName) != 0 || !IsWindowVisible(window))
        return TRUE;
    if (search->Caption != nullptr && WindowText(window) != search->Caption)
        return TRUE;
    ++search->Count;
    // Top-level windows come newest first.
    if (search->Found == nullptr)
        search->Found = window;
    return TRUE;
}

WindowSearch Search(DWORD process, const char* className, const char* caption) {
    WindowSearch search = {process, className, caption, nullptr, 0};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            const std::string path = folder + "\\" + name;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= timeoutMs)
            return condition();
        Sleep(10);
    }
    return true;
}

GameProcess::GameProcess(const std::string& exe) {
    ZeroMemory(&info_, sizeof(info_));
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof(startup));
    startup.cb = sizeof(startup);
    std::string commandLine = "\"" + exe + "\"";
    const std::string folder = exe.substr(0, exe.find_last_of('\\'));
    CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                   &info_);
}

GameProcess::~GameProcess() {
    if (info_.hProcess == nullptr)
        return;
    if (!WaitExit(0))
        Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool GameProcess::WaitExit(DWORD timeoutMs) const {
    return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

void GameProcess::Kill() const {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, WaitMs);
}

HWND WaitForWindow(DWORD process, const char* className, const char* caption, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = Search(process, className, caption).Found) != nullptr; }, timeoutMs);
    return found;
}

int OpenDialogs(DWORD process) {
    return Search(process, "#32770", nullptr).Count;
}

bool WaitClosed(HWND window, DWORD timeoutMs) {
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        WaitMs, nullptr);
    return text;
}

bool IsChecked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, WaitMs, &state);
    return state == BST_CHECKED;
}

void SetItemText(HWND dialog, int id, const std::string& text) {
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, WaitMs, nullptr);
}

void Press(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void PostCommand(HWND window, int id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void Settle(HWND window, int messages) {
    for (int i = 0; i < messages; ++i)
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, WaitMs, nullptr);
}

void Click(HWND window, POINT client, bool right) {
    POINT target = client;
    ClientToScreen(window, &target);
    INPUT inputs[3] = {};
    const DWORD flags[3] = {MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                            right ? DWORD(MOUSEEVENTF_RIGHTDOWN) : DWORD(MOUSEEVENTF_LEFTDOWN),
                            right ? DWORD(MOUSEEVENTF_RIGHTUP) : DWORD(MOUSEEVENTF_LEFTUP)};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = flags[i];
    }
    // Absolute coordinates run 0 to 65536 over the screen; rounding up lands on the pixel itself.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    inputs[0].mi.dx = (target.x * 65536 + width - 1) / width;
    inputs[0].mi.dy = (target.y * 65536 + height - 1) / height;
    // Under Wine the move warps the X pointer, and the game's thread reports the X motion back
    // late; one from an earlier click would carry this press to the earlier place. So the press
    // waits until the game's thread has looked at its queue (and X events) with the pointer here.
    WaitUntil([&] {
        SendInput(1, inputs, sizeof(INPUT));
        Settle(window, 2);
        POINT now;
        return GetCursorPos(&now) && now.x == target.x && now.y == target.y;
    });
    SendInput(2, inputs + 1, sizeof(INPUT));
}

uint32_t ScreenPixel(HWND window, POINT client) {
    ClientToScreen(window, &client);
    HDC screen = GetDC(nullptr);
    const COLORREF color = GetPixel(screen, client.x, client.y);
    ReleaseDC(nullptr, screen);
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

void ClearSettings() {
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
}

void WriteSettingValue(const char* name, DWORD type, const std::string& bytes) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
}

void WriteSettings(const std::string& picturePath, DWORD level) {
    WriteSettingValue("PicturePath", REG_SZ, picturePath + '\0');
    WriteSettingValue("Level", REG_DWORD, std::string(reinterpret_cast<const char*>(&level), sizeof(level)));
}

bool ReadSettings(std::string* picturePath, DWORD* level) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char path[1024] = "";
    DWORD size = sizeof(path) - 1;
    RegQueryValueExA(key, "PicturePath", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &size);
    *picturePath = path;
    *level = 0;
    size = sizeof(*level);
    RegQueryValueExA(key, "Level", nullptr, nullptr, reinterpret_cast<BYTE*>(level), &size);
    RegCloseKey(key);
    return true;
}

TempFolder::TempFolder(const std::string& name) {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    do
        path_ = std::string(base) + "yw" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter) +
                name;
    while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

void WriteBmp(const std::string& path, int width, int height, uint32_t rgb) {
    WriteBmp(path, width, height, [rgb](int, int) { return rgb; });
}

void WriteBmp(const std::string& path, int width, int height, const std::function<uint32_t(int, int)>& rgbAt) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height; // rows stored bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    for (int y = height - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int x = 0; x < width; ++x)
            for (int channel = 0; channel < 3; ++channel)
                row[x * 3 + channel] = static_cast<char>(rgbAt(x, y) >> (8 * channel));
        bytes += row;
    }
    WriteBytes(path, bytes);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace yw
