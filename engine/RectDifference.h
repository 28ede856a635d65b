// What of one rectangle another leaves uncovered, in pixel arithmetic only.
#pragma once

#include "engine/StretchClip.h"

// The part of `from` outside `cut`, as at most four rectangles that do not overlap, written to
// `parts`; returns their count. `from` whole when the two do not meet, none when `cut` covers it.
int RectDifference(const PixelRect& from, const PixelRect& cut, PixelRect parts[4]);
