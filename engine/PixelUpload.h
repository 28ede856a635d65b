// Pictures' pixels copied into surfaces of the default pool through staging surfaces in system
// memory: one lock for a whole batch, then a copy on the device for each picture. A lock of each
// surface in the default pool waits for the device to finish all it was given (under Wine, a round
// trip to its drawing thread each time), so a board of cards made so costs one wait, not one a card.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <vector>

struct PixelUpload {
    IDirect3DSurface9* Surface; // X8R8G8B8, of the default pool, at least Width by Height
    const uint32_t* Pixels;     // Width by Height 0x00RRGGBB, top row first
    int Width;
    int Height;
};

// Copies each upload's pixels into its surface. Entry i of the answer is false when upload i
// failed: its surface then holds nothing worth showing.
std::vector<bool> UploadPixels(IDirect3DDevice9* device, const std::vector<PixelUpload>& uploads);
