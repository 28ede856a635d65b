// Fills of the back buffer gathered and sent as one Clear of many rectangles per colour: under Wine
// each ColorFill is a command of its own written into the device's queue, whose pages stay in memory
// once written, and a board of card backs is dozens of them.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdint>
#include <vector>

#include "engine/StretchClip.h"

class FillBatch {
public:
    // r, cut to the back buffer, in the 0x00RRGGBB colour. Fills of one batch must not overlap
    // where their colours differ: they are sent grouped by colour.
    void Add(const PixelRect& r, uint32_t rgb);
    // Sends the fills gathered, each colour's in one call, and empties the batch.
    void Send();

private:
    struct Colour {
        uint32_t Rgb;
        std::vector<D3DRECT> Rects;
    };
    std::vector<Colour> Colours;
};
