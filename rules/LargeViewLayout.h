// Where a found picture shows large: whole, in its own shape, as large as the board's part of the
// client allows above a caption.
#pragma once

#include "engine/StretchClip.h"

struct LargeViewLayout {
    PixelRect Picture;
    PixelRect Caption;
};

// The picture (pictureWidth x pictureHeight as shown) scaled alike on both axes to the largest size
// that fits a boardWidth x boardHeight board with a margin on every side and a caption of
// captionHeight below it, centred across; the caption under the picture, the board's width less the
// margins. Never cropped or stretched: the picture's shape is kept within a pixel.
LargeViewLayout LayOutLargeView(int pictureWidth, int pictureHeight, int boardWidth, int boardHeight,
                                int captionHeight, int margin);
