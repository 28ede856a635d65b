#include "engine/Graphics.h"

#include "app/Texts.h"
#include "engine/ObjectCounts.h"
#include "res/resource.h"

IDirect3D9* D3DObject = nullptr;
IDirect3DDevice9* D3DDevice = nullptr;
IDirect3DSurface9* BackBuffer = nullptr;
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
    params.EnableAutoDepthStencil = TRUE;
    params.AutoDepthStencilFormat = D3DFMT_D16;
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
    ReleaseFrameCopy();
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
    if (FrameCopy == nullptr)
        return;
    const HRESULT read = D3DDevice->GetRenderTargetData(BackBuffer, FrameCopy);
    if (read == D3DERR_DEVICELOST)
        DeviceLost = true;
    HDC frame = nullptr;
    if (FAILED(read) || FAILED(FrameCopy->GetDC(&frame)))
        return;
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

void SetBackBufferSize(int width, int height) {
    BackBufferWidth = width;
    BackBufferHeight = height;
    PresentParameters.BackBufferWidth = width;
    PresentParameters.BackBufferHeight = height;
}
