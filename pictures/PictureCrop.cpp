#include "pictures/PictureCrop.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

#include "pictures/ExifOrientation.h"

namespace {

// Where a part of `part` pixels starts along `size` so that its centre sits at `centre` pixels,
// kept inside the picture.
int PartStartAt(int size, int part, double centre) {
    const double start = std::floor(centre - part / 2.0 + 0.5);
    return int(std::clamp(start, 0.0, double(size - part)));
}

// The same with the centre a fraction of size.
int PartStart(int size, int part, double centre) {
    return PartStartAt(size, part, size * centre);
}

// A box in pixels of the picture as shown.
struct Box {
    double Left, Top, Right, Bottom;
};

Box InPixels(const FaceBox& box, int width, int height) {
    return {box.Left * width, box.Top * height, (box.Left + box.Width) * width,
            (box.Top + box.Height) * height};
}

// The sound faces among those known, the largest first, at most MaxFramingFaces.
std::vector<FaceBox> LargestFaces(const std::vector<FaceBox>& faces) {
    std::vector<FaceBox> sound;
    for (const FaceBox& face : faces) {
        FaceBox box;
        if (SoundBox(face, &box))
            sound.push_back(box);
    }
    std::stable_sort(sound.begin(), sound.end(), [](const FaceBox& a, const FaceBox& b) {
        return a.Width * a.Height > b.Width * b.Height;
    });
    if (sound.size() > MaxFramingFaces)
        sound.resize(MaxFramingFaces);
    return sound;
}

// Where the centre of a part of partWidth x partHeight goes to show the faces: on all of them when
// they fit in it, else on the largest; along the height the faces sit a little above the middle,
// as far as the part leaves room.
void FacesCentre(const std::vector<FaceBox>& faces, int width, int height, int partWidth, int partHeight,
                 double* centreX, double* centreY) {
    Box all = InPixels(faces[0], width, height);
    for (const FaceBox& face : faces) {
        const Box box = InPixels(face, width, height);
        all = {std::min(all.Left, box.Left), std::min(all.Top, box.Top), std::max(all.Right, box.Right),
               std::max(all.Bottom, box.Bottom)};
    }
    if (all.Right - all.Left > partWidth || all.Bottom - all.Top > partHeight)
        all = InPixels(faces[0], width, height);
    *centreX = (all.Left + all.Right) / 2;
    const double room = std::max(0.0, (partHeight - (all.Bottom - all.Top)) / 2);
    *centreY = (all.Top + all.Bottom) / 2 + std::min(0.1 * partHeight, room);
}

// A person's card: the card's shape about three face widths across and at least twice the face's
// height, the face's centre at 40 % of the part's height, shrunk to fit the picture.
PicturePart PersonPart(int width, int height, int cardWidth, int cardHeight, const FaceBox& face) {
    const Box box = InPixels(face, width, height);
    double partWidth = 3 * (box.Right - box.Left);
    double partHeight = partWidth * cardHeight / cardWidth;
    if (partHeight < 2 * (box.Bottom - box.Top)) {
        partHeight = 2 * (box.Bottom - box.Top);
        partWidth = partHeight * cardWidth / cardHeight;
    }
    const double shrink = std::min({1.0, width / partWidth, height / partHeight});
    const int w = std::clamp(int(partWidth * shrink + 0.5), 1, width);
    const int h = std::clamp(int(partHeight * shrink + 0.5), 1, height);
    const double centreY = (box.Top + box.Bottom) / 2 + 0.1 * h;
    return {PartStartAt(width, w, (box.Left + box.Right) / 2), PartStartAt(height, h, centreY), w, h};
}

} // namespace

PicturePart ShownPart(int width, int height, int cardWidth, int cardHeight, const CardFraming& framing) {
    if (width < 1 || height < 1 || cardWidth < 1 || cardHeight < 1)
        return {0, 0, width, height};
    FaceBox person;
    if (framing.HasPerson && SoundBox(framing.Person, &person))
        return PersonPart(width, height, cardWidth, cardHeight, person);
    if (framing.Fit != PictureFit::KeepShape)
        return {0, 0, width, height};
    // Compared as cross products: width/height against cardWidth/cardHeight without rounding.
    const int64_t wide = int64_t(width) * cardHeight;
    const int64_t card = int64_t(cardWidth) * height;
    int partWidth = width;
    int partHeight = height;
    if (wide > card)
        partWidth = std::max(1, int((card + cardHeight / 2) / cardHeight));
    else if (wide < card)
        partHeight = std::max(1, int((wide + cardWidth / 2) / cardWidth));
    const std::vector<FaceBox> faces = LargestFaces(framing.Faces);
    if (faces.empty())
        return {PartStart(width, partWidth, 0.5), PartStart(height, partHeight, 0.4), partWidth, partHeight};
    double centreX = 0;
    double centreY = 0;
    FacesCentre(faces, width, height, partWidth, partHeight, &centreX, &centreY);
    return {PartStartAt(width, partWidth, centreX), PartStartAt(height, partHeight, centreY), partWidth,
            partHeight};
}

PicturePart StoredPart(const PicturePart& shown, int storedWidth, int storedHeight, int orientation) {
    if (orientation < 2 || orientation > 8)
        return shown;
    const OrientationTurn turn = TurnOf(orientation);
    PicturePart stored =
        turn.Transpose ? PicturePart{shown.Top, shown.Left, shown.Height, shown.Width} : shown;
    if (turn.MirrorX)
        stored.Left = storedWidth - stored.Left - stored.Width;
    if (turn.MirrorY)
        stored.Top = storedHeight - stored.Top - stored.Height;
    return stored;
}

void CoveringSize(int width, int height, int cardWidth, int cardHeight, const CardFraming& framing,
                  int* coverWidth, int* coverHeight) {
    *coverWidth = cardWidth;
    *coverHeight = cardHeight;
    if (width < 1 || height < 1 || cardWidth < 1 || cardHeight < 1)
        return;
    if (framing.HasPerson) {
        // A part of the picture fills the card: the whole is as many times the card as it is the part.
        const PicturePart part = ShownPart(width, height, cardWidth, cardHeight, framing);
        *coverWidth =
            int(std::min<int64_t>((int64_t(width) * cardWidth + part.Width - 1) / part.Width, INT32_MAX));
        *coverHeight =
            int(std::min<int64_t>((int64_t(height) * cardHeight + part.Height - 1) / part.Height, INT32_MAX));
        return;
    }
    if (framing.Fit != PictureFit::KeepShape)
        return;
    // The shown part spans the picture along one axis; along the other it is the card's shape.
    const int64_t wide = int64_t(width) * cardHeight;
    const int64_t card = int64_t(cardWidth) * height;
    if (wide > card)
        *coverWidth = int(std::min<int64_t>((wide + height - 1) / height, INT32_MAX));
    else if (wide < card)
        *coverHeight = int(std::min<int64_t>((card + width - 1) / width, INT32_MAX));
}

void StoredCoveringSize(int storedWidth, int storedHeight, int orientation, int cardWidth, int cardHeight,
                        const CardFraming& framing, int* coverWidth, int* coverHeight) {
    // The framing's faces are on the picture as shown, so the part is found there.
    const bool turned = orientation >= 5 && orientation <= 8;
    CoveringSize(turned ? storedHeight : storedWidth, turned ? storedWidth : storedHeight, cardWidth,
                 cardHeight, framing, coverWidth, coverHeight);
    if (turned)
        std::swap(*coverWidth, *coverHeight);
}
