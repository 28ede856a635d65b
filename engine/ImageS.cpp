#include "engine/ImageS.h"

#include <cstring>
#include <utility>

#include "engine/Graphics.h"
#include "engine/StretchClip.h"
#include "engine/SurfacePool.h"

unsigned ImageS::SurfacesMade = 0;

ImageS::ImageS(int width, int height, D3DCOLOR color)
    : Width(width), Height(height), Surface(nullptr), FillColor(color), IsPicture(false) {
    RestoreSurface();
}

ImageS::ImageS(int width, int height, std::vector<uint32_t> pixels)
    : Width(width), Height(height), Surface(nullptr), FillColor(0), Pixels(std::move(pixels)),
      IsPicture(true) {
    RestoreSurface();
}

ImageS::~ImageS() {
    ReleaseSurface();
}

void ImageS::ReleaseSurface() {
    if (Surface != nullptr)
        GiveBackSurface(Surface);
    Surface = nullptr;
}

void ImageS::RestoreSurface() {
    ReleaseSurface();
    ++SurfacesMade;
    if (D3DDevice == nullptr || Width <= 0 || Height <= 0)
        return;
    if (IsPicture && Pixels.size() != static_cast<size_t>(Width) * static_cast<size_t>(Height))
        return;
    Surface = TakeSurface(D3DDevice, Width, Height);
    if (Surface != nullptr && !Fill())
        ReleaseSurface();
}

// X8R8G8B8 is the decoder's 0x00RRGGBB, so each row is one copy; rows may be padded (Pitch).
bool ImageS::Fill() {
    if (!IsPicture)
        return D3DDevice->ColorFill(Surface, nullptr, FillColor) == D3D_OK;
    D3DLOCKED_RECT locked;
    if (Surface->LockRect(&locked, nullptr, 0) != D3D_OK)
        return false;
    const size_t rowBytes = static_cast<size_t>(Width) * sizeof(uint32_t);
    for (int y = 0; y < Height; ++y)
        memcpy(static_cast<BYTE*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch,
               Pixels.data() + static_cast<size_t>(y) * Width, rowBytes);
    Surface->UnlockRect();
    return true;
}

void ImageS::Draw(const RECT* destination) {
    DrawPart(destination, Width, Height);
}

void ImageS::DrawPart(const RECT* destination, int width, int height) {
    if (Surface == nullptr || width > Width || height > Height)
        return;
    const PixelRect wanted = {destination->left, destination->top, destination->right, destination->bottom};
    PixelRect visible;
    PixelRect cropped;
    if (!ClipStretch(wanted, width, height, BackBufferWidth, BackBufferHeight, &visible, &cropped))
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
