#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "game/Deal.h"
#include "game/GameState.h"
#include "game/NewRound.h"
#include "res/resource.h"

namespace {

void ResetGlobals() {
    CopyPathText(PicturePath, "Where Do You Want to Go?");
    Level = 1;
    PictureList.clear();
    Rows = 4;
    Columns = 4;
    CellWidth = 0;
    CellHeight = 0;
    ClearBoard();
    ResetTry();
}

void DeleteSettingsKey() {
    RegDeleteKeyA(HKEY_CURRENT_USER, SettingsKey);
}

struct SearchState {
    const char* Caption;
    HWND Except;
    HWND Found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM lParam) {
    SearchState* state = reinterpret_cast<SearchState*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[32];
    GetClassNameA(window, className, sizeof(className));
    if (process != GetCurrentProcessId() || strcmp(className, "#32770") != 0 || !IsWindowVisible(window) ||
        window == state->Except)
        return TRUE;
    if (WindowText(window) != state->Caption)
        return TRUE;
    state->Found = window;
    return FALSE;
}

} // namespace

ScopedGame::ScopedGame() {
    ResetGlobals();
    DeleteSettingsKey();
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadStringA(instance, IDS_APP_TITLE, AppTitle, AppTextLength);
    LoadStringA(instance, IDS_CLASS_NAME, AppClassName, AppTextLength);
    ModuleInstance = instance;
    Engine = new GameEngine(instance);
    Engine->FrameDelay = 33;
    if (!Engine->Initialize(SW_HIDE)) {
        ADD_FAILURE() << "the main window could not be made";
        return;
    }
    if (!InitDirect3D(Engine->Window))
        ADD_FAILURE() << "the graphics device could not be made";
}

ScopedGame::~ScopedGame() {
    if (Engine != nullptr && Engine->Window != nullptr)
        DestroyWindow(Engine->Window);
    delete Engine; // only when the window never came to be
    Engine = nullptr;
    ReleaseGraphics();
    UnregisterClassA(AppClassName, GetModuleHandleA(nullptr));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    DeleteSettingsKey();
    ResetGlobals();
}

HWND ScopedGame::Window() const {
    return Engine != nullptr ? Engine->Window : nullptr;
}

void ScopedGame::DealWithoutPictures(int level) {
    PictureList.clear();
    for (int i = 0; i < 18; ++i)
        PictureList.push_back("C:\\nowhere\\" + std::to_string(i) + ".jpg");
    Level = level;
    NewRound();
}

ScopedSettingsKey::ScopedSettingsKey() {
    DeleteSettingsKey();
    ResetGlobals();
}

ScopedSettingsKey::~ScopedSettingsKey() {
    DeleteSettingsKey();
    ResetGlobals();
}

ScopedTempFolder::ScopedTempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    for (;;) {
        path_ = std::string(base) + "yw" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr))
            break;
    }
}

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void WriteBmp(const std::string& path, int width, int height,
              const std::function<uint32_t(int, int)>& colorAt) {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height; // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = stride * height;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
    bytes.append(reinterpret_cast<const char*>(&info), sizeof(info));
    std::string row(stride, '\0');
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t rgb = colorAt(x, y);
            row[x * 3 + 0] = static_cast<char>(rgb & 0xFF);
            row[x * 3 + 1] = static_cast<char>((rgb >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((rgb >> 16) & 0xFF);
        }
        bytes += row;
    }
    WriteBytes(path, bytes);
}

} // namespace

ScopedTempFolder::~ScopedTempFolder() {
    RemoveTree(path_);
}

void WriteSolidBmp(const std::string& path, int width, int height, uint32_t rgb) {
    WriteBmp(path, width, height, [rgb](int, int) { return rgb; });
}

void WriteQuadrantBmp(const std::string& path, int width, int height, const uint32_t rgb[4]) {
    WriteBmp(path, width, height,
             [&](int x, int y) { return rgb[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)]; });
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

BackBufferPixels::BackBufferPixels() {
    D3DSURFACE_DESC description;
    BackBuffer->GetDesc(&description);
    IDirect3DSurface9* copy = nullptr;
    if (D3DDevice->CreateOffscreenPlainSurface(description.Width, description.Height, description.Format,
                                               D3DPOOL_SYSTEMMEM, &copy, nullptr) != D3D_OK) {
        ADD_FAILURE() << "no system-memory surface for the read-back";
        return;
    }
    D3DLOCKED_RECT locked;
    if (D3DDevice->GetRenderTargetData(BackBuffer, copy) == D3D_OK &&
        copy->LockRect(&locked, nullptr, D3DLOCK_READONLY) == D3D_OK) {
        width_ = static_cast<int>(description.Width);
        height_ = static_cast<int>(description.Height);
        pixels_.resize(static_cast<size_t>(width_) * height_);
        for (int y = 0; y < height_; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(static_cast<const char*>(locked.pBits) +
                                                                    static_cast<size_t>(y) * locked.Pitch);
            for (int x = 0; x < width_; ++x)
                pixels_[static_cast<size_t>(y) * width_ + x] = row[x] & 0xFFFFFF;
        }
        copy->UnlockRect();
    } else {
        ADD_FAILURE() << "the back buffer could not be read";
    }
    copy->Release();
}

void FillBackBuffer(uint32_t rgb) {
    D3DDevice->ColorFill(BackBuffer, nullptr, D3DCOLOR_XRGB(0, 0, 0) | rgb);
}

std::string WindowText(HWND window) {
    char text[1024] = "";
    // WM_GETTEXT is answered by the window's thread while it runs its modal loop.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 5000,
                        nullptr);
    return text;
}

HWND WaitForDialog(const char* caption, DWORD timeoutMs, HWND except) {
    const DWORD start = GetTickCount();
    do {
        SearchState state = {caption, except, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&state));
        if (state.Found != nullptr)
            return state.Found;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::future<std::string> OnDialog(const char* caption, std::function<std::string(HWND)> script) {
    const std::string wanted = caption;
    return std::async(std::launch::async, [wanted, script] {
        HWND dialog = WaitForDialog(wanted.c_str());
        if (dialog == nullptr)
            return std::string("<no dialog captioned ") + wanted + ">";
        return script(dialog);
    });
}

void PressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string MessageBoxText(HWND box) {
    return WindowText(GetDlgItem(box, 0xFFFF));
}
