#include "engine/PictureSurface.h"

#include <utility>

#include "engine/Graphics.h"
#include "engine/PixelUpload.h"
#include "engine/StretchClip.h"
#include "engine/SurfacePool.h"

namespace {

unsigned LastSerial = 0;

} // namespace

PictureSurface::PictureSurface(int width, int height, D3DCOLOR color)
    : Width(width), Height(height), Serial(0), FillColor(color), Surface(nullptr), SurfaceWanted(false),
      IsPicture(false) {
    RestoreSurface();
}

PictureSurface::PictureSurface(int width, int height, std::vector<uint32_t> pixels)
    : Width(width), Height(height), Serial(0), FillColor(0), Surface(nullptr), SurfaceWanted(false),
      Pixels(std::move(pixels)), IsPicture(true) {
    RestoreSurface();
}

PictureSurface::~PictureSurface() {
    ReleaseSurface();
}

void PictureSurface::ReleaseSurface() {
    if (Surface != nullptr)
        GiveBackSurface(Surface);
    Surface = nullptr;
    SurfaceWanted = false;
}

void PictureSurface::RestoreSurface() {
    ReleaseSurface();
    Serial = ++LastSerial;
    SurfaceWanted = Width > 0 && Height > 0 &&
                    (!IsPicture || Pixels.size() == static_cast<size_t>(Width) * static_cast<size_t>(Height));
}

bool PictureSurface::Drawable() const {
    return Surface != nullptr || SurfaceWanted;
}

void PictureSurface::MakeSurfaces(PictureSurface* const* images, int count) {
    if (D3DDevice == nullptr)
        return;
    std::vector<PictureSurface*> pictures;
    std::vector<PixelUpload> uploads;
    for (int i = 0; i < count; ++i) {
        PictureSurface* image = images[i];
        if (image == nullptr || !image->SurfaceWanted)
            continue;
        image->SurfaceWanted = false;
        image->Surface = TakeSurface(D3DDevice, image->Width, image->Height);
        if (image->Surface == nullptr)
            continue;
        if (image->IsPicture) {
            pictures.push_back(image);
            uploads.push_back({image->Surface, image->Pixels.data(), image->Width, image->Height});
        } else if (D3DDevice->ColorFill(image->Surface, nullptr, image->FillColor) != D3D_OK) {
            image->ReleaseSurface();
        }
    }
    const std::vector<bool> done = UploadPixels(D3DDevice, uploads);
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (!done[i])
            pictures[i]->ReleaseSurface();
    }
}

bool PictureSurface::MakeSurface() {
    if (SurfaceWanted) {
        PictureSurface* self = this;
        MakeSurfaces(&self, 1);
    }
    return Surface != nullptr;
}

void PictureSurface::Draw(const RECT* destination) {
    DrawPart(destination, Width, Height);
}

void PictureSurface::DrawPart(const RECT* destination, int width, int height) {
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

void PictureSurface::DrawFull() {
    if (!MakeSurface())
        return;
    D3DDevice->StretchRect(Surface, nullptr, BackBuffer, nullptr, D3DTEXF_NONE);
}
