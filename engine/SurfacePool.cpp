#include "engine/SurfacePool.h"

#include <vector>

#include "engine/ObjectCounts.h"

namespace {

// More than the 37 pictures of the largest board with its card back.
const size_t MostKept = 64;

std::vector<IDirect3DSurface9*> Kept;
UINT KeptWidth = 0;
UINT KeptHeight = 0;

void Release(IDirect3DSurface9* surface) {
    surface->Release();
    CountFreed(Counted::Surface);
}

} // namespace

IDirect3DSurface9* TakeSurface(IDirect3DDevice9* device, int width, int height) {
    if (UINT(width) != KeptWidth || UINT(height) != KeptHeight)
        ReleaseKeptSurfaces();
    if (!Kept.empty()) {
        IDirect3DSurface9* surface = Kept.back();
        Kept.pop_back();
        return surface;
    }
    IDirect3DSurface9* surface = nullptr;
    if (device->CreateOffscreenPlainSurface(width, height, D3DFMT_X8R8G8B8, D3DPOOL_DEFAULT, &surface, nullptr) !=
        D3D_OK)
        return nullptr;
    CountMade(Counted::Surface);
    return surface;
}

void GiveBackSurface(IDirect3DSurface9* surface) {
    D3DSURFACE_DESC description;
    if (FAILED(surface->GetDesc(&description))) {
        Release(surface);
        return;
    }
    if (description.Width != KeptWidth || description.Height != KeptHeight) {
        ReleaseKeptSurfaces();
        KeptWidth = description.Width;
        KeptHeight = description.Height;
    }
    if (Kept.size() >= MostKept) {
        Release(surface);
        return;
    }
    Kept.push_back(surface);
}

void ReleaseKeptSurfaces() {
    for (IDirect3DSurface9* surface : Kept)
        Release(surface);
    Kept.clear();
}
