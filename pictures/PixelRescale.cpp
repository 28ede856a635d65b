#include "pictures/PixelRescale.h"

#include "pictures/PictureScale.h"

std::vector<uint32_t> RescalePixels(const std::vector<uint32_t>& pixels, int width, int height, int toWidth,
                                    int toHeight, const CardFraming& framing) {
    if (width <= 0 || height <= 0 || toWidth <= 0 || toHeight <= 0 ||
        pixels.size() != size_t(width) * size_t(height))
        return {};
    if (toWidth == width && toHeight == height)
        return pixels;
    AreaScaler scaler = CardScaler(width, height, 1, toWidth, toHeight, framing);
    std::vector<uint8_t> row(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        const uint32_t* from = &pixels[size_t(y) * width];
        for (int x = 0; x < width; ++x) {
            row[size_t(x) * 3] = uint8_t(from[x] >> 16);
            row[size_t(x) * 3 + 1] = uint8_t(from[x] >> 8);
            row[size_t(x) * 3 + 2] = uint8_t(from[x]);
        }
        scaler.AddRow(row.data());
    }
    return scaler.Pixels();
}
