#include "rules/LargeViewLayout.h"

#include <algorithm>
#include <cstdint>

LargeViewLayout LayOutLargeView(int pictureWidth, int pictureHeight, int boardWidth, int boardHeight,
                                int captionHeight, int margin) {
    const int roomWidth = std::max(boardWidth - 2 * margin, 1);
    const int roomHeight = std::max(boardHeight - 2 * margin - captionHeight, 1);
    pictureWidth = std::max(pictureWidth, 1);
    pictureHeight = std::max(pictureHeight, 1);
    // The side that limits decides the scale; the other follows it, rounded.
    int width = roomWidth;
    int height = int((int64_t(pictureHeight) * roomWidth + pictureWidth / 2) / pictureWidth);
    if (height > roomHeight) {
        height = roomHeight;
        width = int((int64_t(pictureWidth) * roomHeight + pictureHeight / 2) / pictureHeight);
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int left = (boardWidth - width) / 2;
    const int top = std::max((boardHeight - height - captionHeight) / 2, 0);
    LargeViewLayout layout;
    layout.Picture = {left, top, left + width, top + height};
    layout.Caption = {margin, top + height, boardWidth - margin, std::min(top + height + captionHeight, boardHeight)};
    return layout;
}
