// One offscreen picture surface of a fixed size, drawn by copying it into the back buffer.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <vector>

class PictureSurface {
public:
    // A plain image, one colour all over.
    PictureSurface(int width, int height, D3DCOLOR color);
    // A decoded picture: width by height 0x00RRGGBB pixels, top row first. Pixels of another
    // count (a picture that did not decode) leave the image without a surface.
    PictureSurface(int width, int height, std::vector<uint32_t> pixels);
    virtual ~PictureSurface();

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

    // True while the image has a surface, or its first drawing is to make and fill one.
    bool Drawable() const;
    // Makes and fills the surfaces the images still want, the pictures' together through one
    // staging lock (engine/PixelUpload.h): a frame about to show several new cards calls it first.
    static void MakeSurfaces(PictureSurface* const* images, int count);

    int Width;
    int Height;
    // Changes whenever the surface is to be made again: a frame drawn in parts over the last one
    // needs every picture as the last one had it. No two images share one.
    unsigned Serial;
    D3DCOLOR FillColor;

private:
    PictureSurface(const PictureSurface&) = delete;
    PictureSurface& operator=(const PictureSurface&) = delete;
    // The surface, made and filled on the first drawing, so that a deal fills only the cards it shows:
    // under Wine each fill is a command written into the device's queue. False when there is none.
    bool MakeSurface();

    IDirect3DSurface9* Surface; // owned; null until drawn, or when it could not be made or filled
    bool SurfaceWanted;         // the next drawing makes it

    std::vector<uint32_t> Pixels; // empty for a plain image
    bool IsPicture;
};
