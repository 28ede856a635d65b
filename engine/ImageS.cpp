#include "engine/ImageS.h"

#include <d3dx9.h>

#include "engine/Graphics.h"
#include "engine/StretchClip.h"

ImageS::ImageS(int width, int height, D3DCOLOR color)
    : Width(width), Height(height), Surface(nullptr), FillColor(color) {
    CreateSurface();
    if (Surface != nullptr)
        D3DDevice->ColorFill(Surface, nullptr, FillColor);
}

ImageS::ImageS(int width, int height, const char* path)
    : Width(width), Height(height), Surface(nullptr), FillColor(0) {
    CreateSurface();
    if (Surface == nullptr)
        return;
    // Decoded and scaled once here, so that a frame only copies surfaces.
    if (D3DXLoadSurfaceFromFileA(Surface, nullptr, nullptr, path, nullptr, D3DX_DEFAULT, 0, nullptr) !=
        D3D_OK) {
        Surface->Release();
        Surface = nullptr;
    }
}

ImageS::~ImageS() {
    if (Surface != nullptr)
        Surface->Release();
}

void ImageS::CreateSurface() {
    if (D3DDevice == nullptr || Width <= 0 || Height <= 0)
        return;
    if (D3DDevice->CreateOffscreenPlainSurface(Width, Height, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &Surface,
                                               nullptr) != D3D_OK)
        Surface = nullptr;
}

void ImageS::Draw(const RECT* destination) {
    if (Surface == nullptr)
        return;
    const PixelRect wanted = {destination->left, destination->top, destination->right, destination->bottom};
    PixelRect visible;
    PixelRect cropped;
    if (!ClipStretch(wanted, Width, Height, BackBufferWidth, BackBufferHeight, &visible, &cropped))
        return;
    const RECT source = {cropped.Left, cropped.Top, cropped.Right, cropped.Bottom};
    const RECT target = {visible.Left, visible.Top, visible.Right, visible.Bottom};
    D3DDevice->StretchRect(Surface, &source, BackBuffer, &target, D3DTEXF_NONE);
}

void ImageS::DrawFull() {
    if (Surface == nullptr)
        return;
    D3DDevice->StretchRect(Surface, nullptr, BackBuffer, nullptr, D3DTEXF_NONE);
}
