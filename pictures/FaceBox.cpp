#include "pictures/FaceBox.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "pictures/ExifOrientation.h"

FaceBox ShownBox(const FaceBox& stored, int orientation) {
    if (orientation < 2 || orientation > 8)
        return stored;
    // TurnOf says how a shown place is found in the stored picture (swap, then mirror within the
    // stored picture); the way back undoes the mirrors first.
    const OrientationTurn turn = TurnOf(orientation);
    FaceBox box = stored;
    if (turn.MirrorX)
        box.Left = 1 - stored.Left - stored.Width;
    if (turn.MirrorY)
        box.Top = 1 - stored.Top - stored.Height;
    if (turn.Transpose) {
        std::swap(box.Left, box.Top);
        std::swap(box.Width, box.Height);
    }
    return box;
}

bool SoundBox(const FaceBox& box, FaceBox* sound) {
    const double values[] = {box.Left, box.Top, box.Width, box.Height};
    for (double value : values) {
        if (!std::isfinite(value))
            return false;
    }
    const double left = std::clamp(box.Left, 0.0, 1.0);
    const double top = std::clamp(box.Top, 0.0, 1.0);
    const double right = std::clamp(box.Left + box.Width, 0.0, 1.0);
    const double bottom = std::clamp(box.Top + box.Height, 0.0, 1.0);
    const double least = 0.001;
    if (box.Width <= 0 || box.Height <= 0 || right - left < least || bottom - top < least)
        return false;
    *sound = FaceBox{left, top, right - left, bottom - top};
    return true;
}
