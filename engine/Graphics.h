// The Direct3D 9 device that every frame is drawn through.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include "engine/BackBufferSize.h"

extern IDirect3D9* D3DObject;
extern IDirect3DDevice9* D3DDevice;
extern IDirect3DSurface9* BackBuffer;
// Set when Present reports the device lost (a locked screen, a mode change); drawing waits
// until the device has been reset.
extern bool DeviceLost;

// Creates the device for the main window; on failure shows its own box and returns 0.
BOOL InitDirect3D(HWND window);

// Releases the back buffer, the device and the Direct3D object, in that order.
void ReleaseGraphics();

// The size the next reset gives the back buffer (and BackBufferWidth and BackBufferHeight).
void SetBackBufferSize(int width, int height);

// The device's own size, the client's, when a strip under the board (a status bar's) makes it
// taller than the board that BackBufferWidth and BackBufferHeight measure; presented 1:1.
void SetDeviceSize(int width, int height);
int DeviceHeight();

// Resets the device with the parameters it was made with (the back buffer's size as last set) and takes its back buffer again. Every
// surface of the default pool must have been released first. False when the reset failed: the
// device stays unusable and the caller tries again later.
bool ResetDevice();
