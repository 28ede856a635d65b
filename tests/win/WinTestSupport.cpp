#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "res/resource.h"

namespace {

OnEachDialog* CurrentScript = nullptr;

void ResetSettings() {
    yw::ClearSettings();
    CopyPathText(PicturePath, "Where Do You Want to Go?");
    Level = 1;
    PictureList.clear();
}

} // namespace

ScopedGame::ScopedGame() {
    ResetSettings();
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    LoadStringA(instance, IDS_APP_TITLE, AppTitle, AppTextLength);
    LoadStringA(instance, IDS_CLASS_NAME, AppClassName, AppTextLength);
    ModuleInstance = instance;
    Engine = new GameEngine(instance);
    Engine->FrameDelay = 33;
    if (!Engine->Initialize(SW_HIDE) || !InitDirect3D(Engine->Window))
        ADD_FAILURE() << "no main window or device";
}

ScopedGame::~ScopedGame() {
    if (Engine != nullptr && Engine->Window != nullptr)
        DestroyWindow(Engine->Window); // the program's own shutdown, which deletes the engine
    delete Engine;
    Engine = nullptr;
    ReleaseGraphics();
    UnregisterClassA(AppClassName, GetModuleHandleA(nullptr));
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    ResetSettings();
}

BackBufferPixels::BackBufferPixels() : pixels_(800 * 600) {
    IDirect3DSurface9* copy = nullptr;
    D3DLOCKED_RECT locked;
    if (D3DDevice->CreateOffscreenPlainSurface(800, 600, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &copy, nullptr) !=
            D3D_OK ||
        D3DDevice->GetRenderTargetData(BackBuffer, copy) != D3D_OK ||
        copy->LockRect(&locked, nullptr, D3DLOCK_READONLY) != D3D_OK) {
        ADD_FAILURE() << "the back buffer could not be read";
    } else {
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                pixels_[y * 800 + x] =
                    reinterpret_cast<const uint32_t*>(static_cast<const char*>(locked.pBits) + y * locked.Pitch)[x] &
                    0xFFFFFF;
        copy->UnlockRect();
    }
    if (copy != nullptr)
        copy->Release();
}

void FillBackBuffer(uint32_t rgb) {
    D3DDevice->ColorFill(BackBuffer, nullptr, 0xFF000000 | rgb);
}

OnEachDialog::OnEachDialog(std::function<void(HWND)> script)
    : script_(std::move(script)), timer_(SetTimer(nullptr, 0, 10, Tick)) {
    CurrentScript = this;
}

OnEachDialog::~OnEachDialog() {
    KillTimer(nullptr, timer_);
    CurrentScript = nullptr;
}

void CALLBACK OnEachDialog::Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = yw::WaitForDialog(GetCurrentProcessId(), nullptr, 0);
    if (CurrentScript == nullptr || dialog == nullptr || dialog == CurrentScript->last_)
        return;
    CurrentScript->last_ = dialog;
    ++CurrentScript->runs_;
    CurrentScript->script_(dialog);
}
