// Clipping of a stretching copy to the back buffer, in pixel arithmetic only.
#pragma once

struct PixelRect {
    int Left;
    int Top;
    int Right;  // exclusive
    int Bottom; // exclusive
};

// A whole source of sourceWidth by sourceHeight is to be stretched into destination. Cuts the
// destination to [0, boundsWidth) by [0, boundsHeight) and crops the source in proportion, so
// a cut card shows the matching part of its picture rather than the whole picture squashed.
// Returns false when nothing is left: an empty or inverted destination, one wholly outside the
// bounds, or an empty source.
bool ClipStretch(const PixelRect& destination, int sourceWidth, int sourceHeight, int boundsWidth,
                 int boundsHeight, PixelRect* clippedDestination, PixelRect* source);
