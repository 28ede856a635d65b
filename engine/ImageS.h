// One offscreen picture surface of a fixed size, drawn by stretching it into the back buffer.
#pragma once

#include <windows.h>
#include <d3d9.h>

class ImageS {
public:
    // A plain image, one colour all over.
    ImageS(int width, int height, D3DCOLOR color);
    // A picture file scaled whole to width by height; an unreadable file leaves no surface.
    ImageS(int width, int height, const char* path);
    virtual ~ImageS();

    // Copies the whole surface into the rectangle; the part outside the back buffer is cut off.
    virtual void Draw(const RECT* destination);
    // Copies the whole surface onto the whole back buffer.
    virtual void DrawFull();

    int Width;
    int Height;
    IDirect3DSurface9* Surface; // owned; null when it could not be made or loaded
    D3DCOLOR FillColor;

private:
    ImageS(const ImageS&) = delete;
    ImageS& operator=(const ImageS&) = delete;
    void CreateSurface();
};
