#include "engine/FillBatch.h"

#include <algorithm>

#include "engine/Graphics.h"

void FillBatch::Add(const PixelRect& r, uint32_t rgb) {
    const D3DRECT rect = {std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, BackBufferWidth),
                          std::min(r.Bottom, BackBufferHeight)};
    if (rect.x1 >= rect.x2 || rect.y1 >= rect.y2)
        return;
    const auto colour =
        std::find_if(Colours.begin(), Colours.end(), [rgb](const Colour& c) { return c.Rgb == rgb; });
    if (colour != Colours.end())
        colour->Rects.push_back(rect);
    else
        Colours.push_back({rgb, {rect}});
}

void FillBatch::Send() {
    // Clear fills the device's render target, which the board's (BackBuffer) is made whenever it
    // changes, within the viewport, which is the whole of it.
    for (const Colour& colour : Colours)
        D3DDevice->Clear(DWORD(colour.Rects.size()), colour.Rects.data(), D3DCLEAR_TARGET, Opaque(colour.Rgb),
                         1.0f, 0);
    Colours.clear();
}
