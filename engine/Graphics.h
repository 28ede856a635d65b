// The Direct3D 9 device that every frame is drawn through.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include "engine/BackBufferSize.h"

extern IDirect3D9* D3DObject;
extern IDirect3DDevice9* D3DDevice;
extern IDirect3DSurface9* BackBuffer;

// Creates the device for the main window; on failure shows its own box and returns 0.
BOOL InitDirect3D(HWND window);

// Releases the back buffer, the device and the Direct3D object, in that order.
void ReleaseGraphics();
