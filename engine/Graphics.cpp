#include "engine/Graphics.h"

#include <algorithm>

#include "app/Texts.h"
#include "engine/ObjectCounts.h"
#include "engine/SurfacePool.h"
#include "res/resource.h"

IDirect3D9* D3DObject = nullptr;
IDirect3DDevice9* D3DDevice = nullptr;
IDirect3DSurface9* BackBuffer = nullptr;
bool WholeFrameWanted = true;
bool DeviceLost = false;
// Until the device exists, and while the client is empty (a start minimised), the board's own size.
int BackBufferWidth = 800;
int BackBufferHeight = 600;

namespace {

// Kept for Reset, which wants the parameters the device was made with.
D3DPRESENT_PARAMETERS PresentParameters;

// The game's window, which each frame is copied into, and the device's own window: hidden and
// childless, never presented into.
HWND FrameWindow = nullptr;
HWND DeviceWindow = nullptr;

// Each frame is read back into this copy of the back buffer and copied from it onto the board
// through GDI; system memory keeps it over a reset.
IDirect3DSurface9* FrameCopy = nullptr;

void ReleaseFrameCopy() {
    if (FrameCopy != nullptr) {
        FrameCopy->Release();
        CountFreed(Counted::Surface);
    }
    FrameCopy = nullptr;
}

bool MakeFrameCopy() {
    ReleaseFrameCopy();
    if (FAILED(D3DDevice->CreateOffscreenPlainSurface(PresentParameters.BackBufferWidth,
                                                      PresentParameters.BackBufferHeight, D3DFMT_X8R8G8B8,
                                                      D3DPOOL_SYSTEMMEM, &FrameCopy, nullptr))) {
        FrameCopy = nullptr;
        return false;
    }
    CountMade(Counted::Surface);
    return true;
}

// The parts of a frame, side by side: copied out of the back buffer into a render target of their
// own, then read back, so that a turning card costs the read-back of its place, not of the board.
// Made on the first such frame and kept, grown when parts need more room.
IDirect3DSurface9* PartsTarget = nullptr;
IDirect3DSurface9* PartsCopy = nullptr;
SIZE PartsSize = {0, 0};

void ReleaseParts() {
    if (PartsTarget != nullptr)
        PartsTarget->Release();
    if (PartsCopy != nullptr)
        PartsCopy->Release();
    PartsTarget = nullptr;
    PartsCopy = nullptr;
    PartsSize = {0, 0};
}

bool MakeParts(int width, int height) {
    if (PartsTarget != nullptr && width <= PartsSize.cx && height <= PartsSize.cy)
        return true;
    width = std::max<int>(width, PartsSize.cx);
    height = std::max<int>(height, PartsSize.cy);
    ReleaseParts();
    if (FAILED(D3DDevice->CreateRenderTarget(width, height, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE,
                                             &PartsTarget, nullptr)) ||
        FAILED(D3DDevice->CreateOffscreenPlainSurface(width, height, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM,
                                                      &PartsCopy, nullptr))) {
        ReleaseParts();
        return false;
    }
    PartsSize = {width, height};
    return true;
}

// The parts side by side in PartsTarget, read back into PartsCopy; false when any step failed.
bool ReadParts(const RECT* parts, int count) {
    int width = 0, height = 0;
    for (int i = 0; i < count; ++i) {
        width += parts[i].right - parts[i].left;
        height = std::max<int>(height, parts[i].bottom - parts[i].top);
    }
    if (width > BackBufferWidth || !MakeParts(width, height))
        return false;
    int left = 0;
    for (int i = 0; i < count; ++i) {
        const RECT slot = {left, 0, left + parts[i].right - parts[i].left, parts[i].bottom - parts[i].top};
        if (FAILED(D3DDevice->StretchRect(BackBuffer, &parts[i], PartsTarget, &slot, D3DTEXF_NONE)))
            return false;
        left = slot.right;
    }
    const HRESULT read = D3DDevice->GetRenderTargetData(PartsTarget, PartsCopy);
    if (read == D3DERR_DEVICELOST)
        DeviceLost = true;
    return SUCCEEDED(read);
}

} // namespace

BOOL InitDirect3D(HWND window) {
    FrameWindow = window;
    DeviceWindow = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (DeviceWindow != nullptr)
        CountMade(Counted::Window);
    D3DObject = Direct3DCreate9(D3D_SDK_VERSION);
    if (D3DObject == nullptr) {
        MessageBoxW(window, LoadText(IDS_D3D_INIT_ERROR).c_str(), LoadText(IDS_ERROR).c_str(), MB_OK);
        return FALSE;
    }

    RECT client;
    GetClientRect(window, &client);
    if (client.right > 0 && client.bottom > 0) {
        BackBufferWidth = client.right;
        BackBufferHeight = client.bottom;
    }
    D3DPRESENT_PARAMETERS& params = PresentParameters;
    ZeroMemory(&params, sizeof(params));
    params.BackBufferWidth = BackBufferWidth;
    params.BackBufferHeight = BackBufferHeight;
    params.BackBufferFormat = D3DFMT_X8R8G8B8;
    params.BackBufferCount = 1;
    params.MultiSampleType = D3DMULTISAMPLE_NONE;
    params.MultiSampleQuality = 0;
    // Never presented: the back buffer keeps each frame until the next one is drawn on it.
    params.SwapEffect = D3DSWAPEFFECT_COPY;
    params.hDeviceWindow = DeviceWindow;
    params.Windowed = TRUE;
    // Copies and fills draw nothing in depth: no depth buffer of the board's size at each reset.
    params.EnableAutoDepthStencil = FALSE;
    params.Flags = 0;
    params.FullScreen_RefreshRateInHz = 0;
    params.PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;

    // Success is judged by the device pointer, not the return code.
    D3DPRESENT_PARAMETERS used = params; // the call may write into it
    D3DObject->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, DeviceWindow,
                            D3DCREATE_SOFTWARE_VERTEXPROCESSING, &used, &D3DDevice);
    if (D3DDevice == nullptr || !MakeFrameCopy()) {
        MessageBoxW(window, LoadText(IDS_D3D_DEVICE_ERROR).c_str(), LoadText(IDS_ERROR).c_str(), MB_OK);
        return FALSE;
    }

    D3DDevice->Clear(0, nullptr, D3DCLEAR_TARGET, D3DCOLOR_ARGB(0xFF, 0, 0, 0), 1.0f, 0);
    D3DDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &BackBuffer);
    return TRUE;
}

void ReleaseGraphics() {
    ReleaseKeptSurfaces();
    ReleaseFrameCopy();
    ReleaseParts();
    if (BackBuffer != nullptr)
        BackBuffer->Release();
    if (D3DDevice != nullptr)
        D3DDevice->Release();
    if (D3DObject != nullptr)
        D3DObject->Release();
    BackBuffer = nullptr;
    D3DDevice = nullptr;
    D3DObject = nullptr;
    if (DeviceWindow != nullptr) {
        DestroyWindow(DeviceWindow);
        CountFreed(Counted::Window);
    }
    DeviceWindow = nullptr;
}

bool ResetDevice() {
    ReleaseKeptSurfaces();
    ReleaseParts();
    WholeFrameWanted = true;
    if (BackBuffer != nullptr)
        BackBuffer->Release();
    BackBuffer = nullptr;
    D3DPRESENT_PARAMETERS params = PresentParameters;
    if (D3DDevice->Reset(&params) != D3D_OK)
        return false;
    D3DDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &BackBuffer);
    DeviceLost = false;
    return BackBuffer != nullptr && MakeFrameCopy();
}

void ShowFrame(int width, int height) {
    // A stretched frame, or none, leaves the window unlike the back buffer.
    WholeFrameWanted = FrameCopy == nullptr || width != BackBufferWidth || height != BackBufferHeight;
    if (FrameCopy == nullptr)
        return;
    const HRESULT read = D3DDevice->GetRenderTargetData(BackBuffer, FrameCopy);
    if (read == D3DERR_DEVICELOST)
        DeviceLost = true;
    HDC frame = nullptr;
    if (FAILED(read) || FAILED(FrameCopy->GetDC(&frame))) {
        WholeFrameWanted = true;
        return;
    }
    const HDC board = GetDC(FrameWindow);
    if (width == BackBufferWidth && height == BackBufferHeight) {
        BitBlt(board, 0, 0, width, height, frame, 0, 0, SRCCOPY);
    } else {
        SetStretchBltMode(board, COLORONCOLOR);
        StretchBlt(board, 0, 0, width, height, frame, 0, 0, BackBufferWidth, BackBufferHeight, SRCCOPY);
    }
    ReleaseDC(FrameWindow, board);
    FrameCopy->ReleaseDC(frame);
}

void ShowFrameParts(const RECT* parts, int count) {
    HDC copy = nullptr;
    if (count > MaxFrameParts || !ReadParts(parts, count) || FAILED(PartsCopy->GetDC(&copy))) {
        if (!DeviceLost)
            ShowFrame(BackBufferWidth, BackBufferHeight);
        return;
    }
    const HDC board = GetDC(FrameWindow);
    int left = 0;
    for (int i = 0; i < count; ++i) {
        const RECT& part = parts[i];
        BitBlt(board, part.left, part.top, part.right - part.left, part.bottom - part.top, copy, left, 0, SRCCOPY);
        left += part.right - part.left;
    }
    ReleaseDC(FrameWindow, board);
    PartsCopy->ReleaseDC(copy);
}

void SetBackBufferSize(int width, int height) {
    BackBufferWidth = width;
    BackBufferHeight = height;
    PresentParameters.BackBufferWidth = width;
    PresentParameters.BackBufferHeight = height;
}
