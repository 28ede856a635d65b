#include "tests/win/WinTestSupport.h"

#include <gtest/gtest.h>

#include "app/Settings.h"
#include "app/StartupData.h"
#include "engine/GameEngine.h"
#include "engine/Graphics.h"
#include "res/resource.h"

ScopedGame::ScopedGame() {
    ModuleInstance = GetModuleHandleA(nullptr);
    LoadStringA(ModuleInstance, IDS_CLASS_NAME, AppClassName, AppTextLength);
    Engine = new GameEngine(ModuleInstance);
    if (!Engine->Initialize(SW_HIDE) || !InitDirect3D(Engine->Window))
        ADD_FAILURE() << "no main window or device";
}

ScopedGame::~ScopedGame() {
    if (Engine != nullptr && Engine->Window != nullptr)
        DestroyWindow(Engine->Window); // the program's own shutdown, which deletes the engine
    ReleaseGraphics();
    UnregisterClassA(AppClassName, ModuleInstance);
    for (MSG message; PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);) {
    }
    yw::ClearSettings(); // the shutdown stored the settings
}

uint32_t BackBufferPixel(int x, int y) {
    IDirect3DSurface9* copy = nullptr;
    D3DLOCKED_RECT locked;
    uint32_t pixel = 0xFF000000; // no such colour: the read failed
    if (D3DDevice->CreateOffscreenPlainSurface(BackBufferWidth, BackBufferHeight, D3DFMT_X8R8G8B8,
                                               D3DPOOL_SYSTEMMEM, &copy, nullptr) == D3D_OK &&
        D3DDevice->GetRenderTargetData(BackBuffer, copy) == D3D_OK &&
        copy->LockRect(&locked, nullptr, D3DLOCK_READONLY) == D3D_OK) {
        pixel = static_cast<const uint32_t*>(locked.pBits)[y * locked.Pitch / 4 + x] & 0xFFFFFF;
        copy->UnlockRect();
    }
    if (copy != nullptr)
        copy->Release();
    return pixel;
}
