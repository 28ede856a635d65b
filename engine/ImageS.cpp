#include "engine/ImageS.h"

#include <cstring>
#include <utility>

#include "engine/Graphics.h"
#include "engine/StretchClip.h"
#include "engine/SurfacePool.h"

namespace {

unsigned LastSerial = 0;

} // namespace

ImageS::ImageS(int width, int height, D3DCOLOR color)
    : Width(width), Height(height), Serial(0), FillColor(color), Surface(nullptr), SurfaceWanted(false),
      IsPicture(false) {
    RestoreSurface();
}

ImageS::ImageS(int width, int height, std::vector<uint32_t> pixels)
    : Width(width), Height(height), Serial(0), FillColor(0), Surface(nullptr), SurfaceWanted(false),
      Pixels(std::move(pixels)), IsPicture(true) {
    RestoreSurface();
}

ImageS::~ImageS() {
    ReleaseSurface();
}

void ImageS::ReleaseSurface() {
    if (Surface != nullptr)
        GiveBackSurface(Surface);
    Surface = nullptr;
    SurfaceWanted = false;
}

void ImageS::RestoreSurface() {
    ReleaseSurface();
    Serial = ++LastSerial;
    SurfaceWanted = Width > 0 && Height > 0 &&
                    (!IsPicture || Pixels.size() == static_cast<size_t>(Width) * static_cast<size_t>(Height));
}

bool ImageS::Drawable() const {
    return Surface != nullptr || SurfaceWanted;
}

bool ImageS::MakeSurface() {
    if (SurfaceWanted && D3DDevice != nullptr) {
        SurfaceWanted = false;
        Surface = TakeSurface(D3DDevice, Width, Height);
        if (Surface != nullptr && !Fill())
            ReleaseSurface();
    }
    return Surface != nullptr;
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
    if (width > Width || height > Height || !MakeSurface())
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
    if (!MakeSurface())
        return;
    D3DDevice->StretchRect(Surface, nullptr, BackBuffer, nullptr, D3DTEXF_NONE);
}
