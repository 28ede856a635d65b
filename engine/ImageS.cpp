#include "engine/ImageS.h"

#include <algorithm>
#include <utility>

#include "engine/Graphics.h"
#include "engine/PixelUpload.h"
#include "engine/StretchClip.h"
#include "engine/SurfacePool.h"

unsigned ImageS::SurfacesMade = 0;

namespace {

// Pictures whose surface is made but not yet filled: they are filled together, before the first of
// them is drawn.
std::vector<ImageS*> Unfilled;

} // namespace

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
    Unfilled.erase(std::remove(Unfilled.begin(), Unfilled.end(), this), Unfilled.end());
}

void ImageS::RestoreSurface() {
    ReleaseSurface();
    ++SurfacesMade;
    if (D3DDevice == nullptr || Width <= 0 || Height <= 0)
        return;
    if (IsPicture && Pixels.size() != static_cast<size_t>(Width) * static_cast<size_t>(Height))
        return;
    Surface = TakeSurface(D3DDevice, Width, Height);
    if (Surface == nullptr)
        return;
    if (IsPicture)
        Unfilled.push_back(this);
    else if (D3DDevice->ColorFill(Surface, nullptr, FillColor) != D3D_OK)
        ReleaseSurface();
}

void ImageS::FillPictures() {
    std::vector<PixelUpload> uploads;
    for (const ImageS* image : Unfilled)
        uploads.push_back({image->Surface, image->Pixels.data(), image->Width, image->Height});
    const std::vector<ImageS*> images = std::move(Unfilled);
    Unfilled.clear();
    const std::vector<bool> done = UploadPixels(D3DDevice, uploads);
    for (size_t i = 0; i < images.size(); ++i) {
        if (!done[i])
            images[i]->ReleaseSurface();
    }
}

void ImageS::Draw(const RECT* destination) {
    DrawPart(destination, Width, Height);
}

void ImageS::DrawPart(const RECT* destination, int width, int height) {
    if (!Unfilled.empty())
        FillPictures();
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
    if (!Unfilled.empty())
        FillPictures();
    if (Surface == nullptr)
        return;
    D3DDevice->StretchRect(Surface, nullptr, BackBuffer, nullptr, D3DTEXF_NONE);
}
