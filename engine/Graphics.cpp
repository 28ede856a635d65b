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

// A board's surfaces: the render target each frame is drawn on, and its copy in system memory,
// which each frame is read back into and copied from onto the window through GDI. The copy
// outlives a reset, the target does not.
struct BoardSurfaces {
    IDirect3DSurface9* Target = nullptr;
    IDirect3DSurface9* Copy = nullptr;
    int Width = 0;
    int Height = 0;
};

// The board's own (BackBuffer is its target), and those of another size kept beside them: the
// full screen's, made ahead, or the window's while the full screen shows. A switch between the two
// finds its surfaces made and used once already, with no reset.
BoardSurfaces Shown;
BoardSurfaces Spare;

void Release(IDirect3DSurface9** surface) {
    if (*surface != nullptr) {
        (*surface)->Release();
        CountFreed(Counted::Surface);
    }
    *surface = nullptr;
}

void ReleaseSurfaces(BoardSurfaces* surfaces) {
    Release(&surfaces->Target);
    Release(&surfaces->Copy);
    *surfaces = BoardSurfaces();
}

bool MakeTarget(BoardSurfaces* surfaces) {
    if (FAILED(D3DDevice->CreateRenderTarget(surfaces->Width, surfaces->Height, D3DFMT_X8R8G8B8,
                                             D3DMULTISAMPLE_NONE, 0, FALSE, &surfaces->Target, nullptr))) {
        surfaces->Target = nullptr;
        return false;
    }
    CountMade(Counted::Surface);
    return SUCCEEDED(D3DDevice->ColorFill(surfaces->Target, nullptr, D3DCOLOR_ARGB(0xFF, 0, 0, 0)));
}

// Both surfaces, each used once as a frame uses them: under Wine a surface's first read-back or
// device context costs as much as tens of frames (its memory touched for the first time).
bool MakeBoardSurfaces(BoardSurfaces* surfaces, int width, int height) {
    ReleaseSurfaces(surfaces);
    surfaces->Width = width;
    surfaces->Height = height;
    if (!MakeTarget(surfaces) ||
        FAILED(D3DDevice->CreateOffscreenPlainSurface(width, height, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM,
                                                      &surfaces->Copy, nullptr))) {
        surfaces->Copy = nullptr;
        ReleaseSurfaces(surfaces);
        return false;
    }
    CountMade(Counted::Surface);
    HDC dc = nullptr;
    if (SUCCEEDED(D3DDevice->GetRenderTargetData(surfaces->Target, surfaces->Copy)) &&
        SUCCEEDED(surfaces->Copy->GetDC(&dc)))
        surfaces->Copy->ReleaseDC(dc);
    return true;
}

// BackBuffer, and the device's render target, which fills (Clear) draw on, become the board's.
void DrawOnShown() {
    BackBuffer = Shown.Target;
    if (BackBuffer != nullptr)
        D3DDevice->SetRenderTarget(0, BackBuffer);
}

bool SameSize(const BoardSurfaces& surfaces, int width, int height) {
    return surfaces.Width == width && surfaces.Height == height;
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
    // Never presented, nor drawn on: frames go to the board's own render target.
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
    if (D3DDevice == nullptr || !MakeBoardSurfaces(&Shown, BackBufferWidth, BackBufferHeight)) {
        MessageBoxW(window, LoadText(IDS_D3D_DEVICE_ERROR).c_str(), LoadText(IDS_ERROR).c_str(), MB_OK);
        return FALSE;
    }
    DrawOnShown();
    return TRUE;
}

void ReleaseGraphics() {
    ReleaseKeptSurfaces();
    ReleaseSurfaces(&Shown);
    ReleaseSurfaces(&Spare);
    ReleaseParts();
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
    Release(&Shown.Target);
    Release(&Spare.Target);
    BackBuffer = nullptr;
    D3DPRESENT_PARAMETERS params = PresentParameters;
    if (D3DDevice->Reset(&params) != D3D_OK)
        return false;
    DeviceLost = false;
    if (Spare.Copy != nullptr && !MakeTarget(&Spare))
        ReleaseSurfaces(&Spare);
    // The board's copy is made again too when its size changed meanwhile.
    if (Shown.Copy == nullptr || !SameSize(Shown, BackBufferWidth, BackBufferHeight)) {
        if (!MakeBoardSurfaces(&Shown, BackBufferWidth, BackBufferHeight))
            return false;
    } else if (!MakeTarget(&Shown)) {
        return false;
    }
    DrawOnShown();
    return true;
}

bool ResizeBoardSurfaces(int width, int height) {
    BackBufferWidth = width;
    BackBufferHeight = height;
    WholeFrameWanted = true;
    if (SameSize(Shown, width, height) && Shown.Target != nullptr)
        return true;
    if (SameSize(Spare, width, height) && Spare.Target != nullptr) {
        std::swap(Shown, Spare);
    } else {
        // The spare, the full screen's as a rule, stays; the size left is kept only where there is none.
        if (Spare.Target == nullptr) {
            ReleaseSurfaces(&Spare);
            std::swap(Shown, Spare);
        }
        if (!MakeBoardSurfaces(&Shown, width, height)) {
            BackBuffer = nullptr;
            return false;
        }
    }
    DrawOnShown();
    return true;
}

void PrepareBoardSurfaces(int width, int height) {
    if (D3DDevice == nullptr || DeviceLost || width <= 0 || height <= 0 || SameSize(Shown, width, height) ||
        SameSize(Spare, width, height))
        return;
    // Surfaces that could not be made are not tried again after every frame: the switch makes its own.
    if (!MakeBoardSurfaces(&Spare, width, height)) {
        Spare.Width = width;
        Spare.Height = height;
    }
}

void ShowFrame(int width, int height) {
    IDirect3DSurface9* const copy = Shown.Copy;
    // A stretched frame, or none, leaves the window unlike the back buffer.
    WholeFrameWanted = copy == nullptr || width != BackBufferWidth || height != BackBufferHeight;
    if (copy == nullptr || BackBuffer == nullptr)
        return;
    const HRESULT read = D3DDevice->GetRenderTargetData(BackBuffer, copy);
    if (read == D3DERR_DEVICELOST)
        DeviceLost = true;
    HDC frame = nullptr;
    if (FAILED(read) || FAILED(copy->GetDC(&frame))) {
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
    copy->ReleaseDC(frame);
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

