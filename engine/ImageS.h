// One offscreen picture surface of a fixed size, drawn by copying it into the back buffer.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <vector>

class ImageS {
public:
    // A plain image, one colour all over.
    ImageS(int width, int height, D3DCOLOR color);
    // A decoded picture: width by height 0x00RRGGBB pixels, top row first. Pixels of another
    // count (a picture that did not decode) leave the image without a surface.
    ImageS(int width, int height, std::vector<uint32_t> pixels);
    virtual ~ImageS();

    // Copies the whole surface into the rectangle; the part outside the back buffer is cut off.
    virtual void Draw(const RECT* destination);
    // Copies the top-left width by height part of the surface into the rectangle.
    void DrawPart(const RECT* destination, int width, int height);
    // Copies the whole surface onto the whole back buffer.
    virtual void DrawFull();

    // A device reset needs every surface released first; the image keeps what it shows and
    // makes its surface again afterwards. A surface given up is kept for the next image of its
    // size (engine/SurfacePool.h) until the reset or the device's release.
    void ReleaseSurface();
    void RestoreSurface();

    // A picture's surface is filled with the others made since, together (engine/PixelUpload.h),
    // before the first of them is drawn, or here. A picture whose filling failed loses its surface.
    static void FillPictures();

    // Counts the surfaces made or restored: a frame drawn in parts over the last one needs every
    // picture as the last one had it.
    static unsigned SurfacesMade;

    int Width;
    int Height;
    IDirect3DSurface9* Surface; // owned; null when it could not be made or filled
    D3DCOLOR FillColor;

private:
    ImageS(const ImageS&) = delete;
    ImageS& operator=(const ImageS&) = delete;

    std::vector<uint32_t> Pixels; // empty for a plain image
    bool IsPicture;
};
