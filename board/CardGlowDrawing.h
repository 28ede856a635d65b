// How a glowing card looks (rules/CardGlow.h): a soft warm light inside its edge, brightest at the
// edge and fading inward, still, so a board at rest draws nothing more.
#pragma once

#include "engine/FillBatch.h"

// Adds the glow's rings inside the card's place, each `ring` pixels wide, to fills drawn over the
// card's back or picture.
void AddCardGlow(FillBatch& fills, const PixelRect& place, int ring);
