// Which part of a picture a card shows: the whole picture stretched to the card, or the largest
// part of the card's shape, where the faces are; or the one person a card is about.
#pragma once

#include <cstddef>
#include <vector>

#include "pictures/FaceBox.h"

enum class PictureFit { Stretch, KeepShape };

// The most faces a card's framing weighs: the largest ones.
constexpr size_t MaxFramingFaces = 8;

// How a card frames its picture: the fit the player chose, the faces known in it (on the picture as
// shown), and the face of the one person the card shows, if it shows one. A fit alone converts to
// a framing that knows no face.
struct CardFraming {
    PictureFit Fit = PictureFit::Stretch;
    std::vector<FaceBox> Faces;
    bool HasPerson = false;
    FaceBox Person;

    CardFraming() = default;
    CardFraming(PictureFit fit) : Fit(fit) {} // NOLINT: a fit is a framing without faces
};

// A rectangle of a picture's pixels.
struct PicturePart {
    int Left;
    int Top;
    int Width;
    int Height;
};

// The part of a width x height picture, as shown (turned upright), that a cardWidth x cardHeight
// card shows, never empty for a picture of at least a pixel, always inside it.
// - A person's card: the card's shape around their face, about three face widths across (and at
//   least twice the face's height), the face a little above the middle, as a portrait is framed;
//   smaller where the picture is.
// - Kept shape: the largest part of the card's shape. Where faces are known it holds them all when
//   they fit in it, else the largest, centred on them. Where none are, it is centred across, and
//   along the height centred too, unless the picture is taller than the card's shape: then the
//   part's centre sits at 40 % of the picture's height, where faces sit in a portrait.
// - Stretched: the whole picture.
PicturePart ShownPart(int width, int height, int cardWidth, int cardHeight, const CardFraming& framing);

// The same part in the picture as stored, storedWidth x storedHeight, which EXIF orientation
// (1..8; 5..8 swap the axes) turns upright.
PicturePart StoredPart(const PicturePart& shown, int storedWidth, int storedHeight, int orientation);

// The smallest size the whole width x height picture can be scaled to so that its shown part still
// covers the card: what a reduced decode or a thumbnail must reach.
void CoveringSize(int width, int height, int cardWidth, int cardHeight, const CardFraming& framing,
                  int* coverWidth, int* coverHeight);

// The same for a picture stored storedWidth x storedHeight that EXIF orientation (1..8) turns
// upright, for a card as shown: the size in the stored picture's own axes.
void StoredCoveringSize(int storedWidth, int storedHeight, int orientation, int cardWidth, int cardHeight,
                        const CardFraming& framing, int* coverWidth, int* coverHeight);
