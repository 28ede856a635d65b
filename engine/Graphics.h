// The Direct3D 9 device that every frame is drawn through.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdint>

#include "engine/BackBufferSize.h"

// A 0x00RRGGBB colour as the device fills with it.
inline D3DCOLOR Opaque(uint32_t rgb) {
    return D3DCOLOR_ARGB(0xFF, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

extern IDirect3D9* D3DObject;
extern IDirect3DDevice9* D3DDevice;
// The board's render target, which every frame is drawn on; not the device's own back buffer.
extern IDirect3DSurface9* BackBuffer;
// The window or the back buffer no longer holds the last frame shown (a repaint, a reset, a copy
// that failed): the next frame is drawn and copied whole.
extern bool WholeFrameWanted;
// Set when the device reports itself lost (a locked screen, a mode change); drawing waits
// until the device has been reset.
extern bool DeviceLost;

// Creates the device, and the hidden window it is made for, to draw frames shown on the main
// window; on failure shows its own box and returns 0.
BOOL InitDirect3D(HWND window);

// Releases the board's surfaces, the device and the Direct3D object, in that order, then the
// device's window.
void ReleaseGraphics();

// The back buffer is a render target of the board's size, not the device's own: a new size takes
// the surfaces kept for it (PrepareBoardSurfaces) or makes new ones, with no reset, so the card
// surfaces stay. Sets BackBufferWidth and BackBufferHeight; false, with no back buffer, when the
// surfaces could not be made (a reset makes them again).
bool ResizeBoardSurfaces(int width, int height);

// Makes the surfaces of a board of that size ahead, beside the board's own, unless they are made:
// the full screen's, so that its first frame, and the window's again, cost what any frame costs.
void PrepareBoardSurfaces(int width, int height);

// Copies the back buffer onto the window's client from its top-left corner, width by height pixels:
// 1:1, or stretched while a drag has not yet resized it. Sets DeviceLost when the device is lost.
void ShowFrame(int width, int height);

// Copies these parts of the back buffer, at most MaxFrameParts and together no wider than it, onto
// the same places of the window, which shows the rest of the back buffer already: a frame where
// only a few cards changed. Copies it whole when the parts cannot be read back alone.
const int MaxFrameParts = 4;
void ShowFrameParts(const RECT* parts, int count);

// Resets the device with the parameters it was made with and makes the board's render targets again, at
// BackBufferWidth by BackBufferHeight. Every surface of the default pool must have been released first (the kept
// ones and the board's it releases itself). False when the reset failed: the device stays unusable and the
// caller tries again later.
bool ResetDevice();
