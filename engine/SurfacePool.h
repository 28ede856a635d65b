// Offscreen plain surfaces of the default pool kept for the next picture of the same size: under
// Wine every surface made and released leaves a little memory behind, and a new deal wants as
// many cards of the same size as the last one gave up.
#pragma once

#include <windows.h>
#include <d3d9.h>

// A surface width by height, X8R8G8B8 in the default pool: a kept one, or one made on the device;
// null when none could be made.
IDirect3DSurface9* TakeSurface(IDirect3DDevice9* device, int width, int height);

// The surface is kept for the next TakeSurface of its size, at most a board's worth of them, and
// only of one size: a surface of another size, or beyond that, is released.
void GiveBackSurface(IDirect3DSurface9* surface);

// Releases every kept surface: before a device reset, which fails while any surface of the
// default pool exists, and before the device itself is released.
void ReleaseKeptSurfaces();
