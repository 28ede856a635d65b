#include "engine/PixelUpload.h"

#include <algorithm>
#include <cstring>

namespace {

// A staging surface no larger than this on a side, which every Direct3D 9 device takes.
const int MostStagingSide = 2048;

// X8R8G8B8 is the decoder's 0x00RRGGBB, so each row is one copy; rows may be padded (Pitch).
void CopyRows(const D3DLOCKED_RECT& locked, int left, int top, const PixelUpload& upload) {
    const size_t rowBytes = static_cast<size_t>(upload.Width) * sizeof(uint32_t);
    BYTE* const origin = static_cast<BYTE*>(locked.pBits) + static_cast<size_t>(top) * locked.Pitch +
                         static_cast<size_t>(left) * sizeof(uint32_t);
    for (int y = 0; y < upload.Height; ++y)
        memcpy(origin + static_cast<size_t>(y) * locked.Pitch,
               upload.Pixels + static_cast<size_t>(y) * upload.Width, rowBytes);
}

bool UploadByLock(const PixelUpload& upload) {
    D3DLOCKED_RECT locked;
    if (upload.Surface->LockRect(&locked, nullptr, 0) != D3D_OK)
        return false;
    CopyRows(locked, 0, 0, upload);
    upload.Surface->UnlockRect();
    return true;
}

struct Placed {
    size_t Index;
    POINT At;
};

// One staging surface holding the placed pictures, copied from there into their surfaces.
void UploadBatch(IDirect3DDevice9* device, const std::vector<PixelUpload>& uploads,
                 const std::vector<Placed>& batch, SIZE size, std::vector<bool>* done) {
    IDirect3DSurface9* staging = nullptr;
    if (device->CreateOffscreenPlainSurface(size.cx, size.cy, D3DFMT_X8R8G8B8, D3DPOOL_SYSTEMMEM, &staging,
                                            nullptr) != D3D_OK)
        return;
    D3DLOCKED_RECT locked;
    if (staging->LockRect(&locked, nullptr, 0) == D3D_OK) {
        for (const Placed& placed : batch)
            CopyRows(locked, placed.At.x, placed.At.y, uploads[placed.Index]);
        staging->UnlockRect();
        for (const Placed& placed : batch) {
            const PixelUpload& upload = uploads[placed.Index];
            const RECT from = {placed.At.x, placed.At.y, placed.At.x + upload.Width,
                               placed.At.y + upload.Height};
            const POINT to = {0, 0};
            (*done)[placed.Index] = device->UpdateSurface(staging, &from, upload.Surface, &to) == D3D_OK;
        }
    }
    staging->Release();
}

} // namespace

std::vector<bool> UploadPixels(IDirect3DDevice9* device, const std::vector<PixelUpload>& uploads) {
    std::vector<bool> done(uploads.size(), false);
    // Shelves of pictures side by side, a staging surface filled before the next is begun.
    std::vector<Placed> batch;
    SIZE size = {0, 0};
    POINT next = {0, 0};
    int shelf = 0;
    for (size_t i = 0; i < uploads.size(); ++i) {
        const PixelUpload& upload = uploads[i];
        // A lone picture, or one larger than any staging surface, is written into its own surface:
        // a staging surface would only add a copy.
        if (uploads.size() == 1 || upload.Width > MostStagingSide || upload.Height > MostStagingSide) {
            done[i] = UploadByLock(upload);
            continue;
        }
        if (next.x + upload.Width > MostStagingSide) {
            next = {0, next.y + shelf};
            shelf = 0;
        }
        if (next.y + upload.Height > MostStagingSide) {
            UploadBatch(device, uploads, batch, size, &done);
            batch.clear();
            size = {0, 0};
            next = {0, 0};
            shelf = 0;
        }
        batch.push_back({i, next});
        size = {std::max<LONG>(size.cx, next.x + upload.Width),
                std::max<LONG>(size.cy, next.y + upload.Height)};
        shelf = std::max(shelf, upload.Height);
        next.x += upload.Width;
    }
    if (!batch.empty())
        UploadBatch(device, uploads, batch, size, &done);
    return done;
}
