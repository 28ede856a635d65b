#include "board/CardGlowDrawing.h"

#include <algorithm>

#include "board/SystemLook.h"

namespace {

// Warm gold, the light; under high contrast the system's highlight, alone.
const uint32_t GlowColour = 0xFFD24A;
const int Rings = 4;

// a's share (out of 4) mixed with b, channel by channel.
uint32_t Mix(uint32_t a, uint32_t b, int share) {
    uint32_t mixed = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t channel = (((a >> shift) & 0xFF) * share + ((b >> shift) & 0xFF) * (Rings - share)) / Rings;
        mixed |= channel << shift;
    }
    return mixed;
}

} // namespace

void AddCardGlow(FillBatch& fills, const PixelRect& place, int ring) {
    const bool system = Look.FocusInSystemColour;
    PixelRect r = place;
    for (int i = 0; i < (system ? 1 : Rings); ++i) {
        const int width = std::min({ring, (r.Right - r.Left) / 2, (r.Bottom - r.Top) / 2});
        if (width <= 0)
            return;
        const uint32_t colour = system ? Look.Focus : Mix(GlowColour, Look.CardBack, Rings - i);
        fills.Add({r.Left, r.Top, r.Right, r.Top + width}, colour);
        fills.Add({r.Left, r.Bottom - width, r.Right, r.Bottom}, colour);
        fills.Add({r.Left, r.Top + width, r.Left + width, r.Bottom - width}, colour);
        fills.Add({r.Right - width, r.Top + width, r.Right, r.Bottom - width}, colour);
        r = {r.Left + width, r.Top + width, r.Right - width, r.Bottom - width};
    }
}
