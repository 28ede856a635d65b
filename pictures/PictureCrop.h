// Which part of a picture a card shows: the whole picture stretched to the card, or the largest
// part of the card's shape.
#pragma once

enum class PictureFit { Stretch, KeepShape };

// A rectangle of a picture's pixels.
struct PicturePart {
    int Left;
    int Top;
    int Width;
    int Height;
};

// The part of a width x height picture, as shown (turned upright), that a cardWidth x cardHeight
// card shows. Kept shape: the largest part of the card's shape, centred across; along the height
// centred too, unless the picture is taller than the card's shape: then the part's centre sits at
// 40 % of the picture's height, where faces sit in a portrait. Never empty for a picture of at least
// a pixel.
PicturePart ShownPart(int width, int height, int cardWidth, int cardHeight, PictureFit fit);

// The same part in the picture as stored, storedWidth x storedHeight, which EXIF orientation
// (1..8; 5..8 swap the axes) turns upright.
PicturePart StoredPart(const PicturePart& shown, int storedWidth, int storedHeight, int orientation);

// The smallest size the whole width x height picture can be scaled to so that its shown part still
// covers the card: what a reduced decode or a thumbnail must reach.
void CoveringSize(int width, int height, int cardWidth, int cardHeight, PictureFit fit, int* coverWidth,
                  int* coverHeight);
