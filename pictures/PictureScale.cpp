#include "pictures/PictureScale.h"

#include <algorithm>
#include <cmath>

#include "pictures/ExifOrientation.h"

// In units of 1/(source*target) pixel, source pixel s spans [s*target, (s+1)*target) and target
// pixel t spans [t*source, (t+1)*source); each overlap is a share, weighted by its part of t.
std::vector<AreaScaler::Share> AreaScaler::Shares(int source, int target) {
    std::vector<Share> shares;
    shares.reserve(size_t(source) + size_t(target));
    for (int s = 0; s < source; ++s) {
        const int64_t begin = int64_t(s) * target;
        const int64_t end = begin + target;
        for (int t = int(begin / source); t < target && int64_t(t) * source < end; ++t) {
            const int64_t overlap =
                std::min(end, int64_t(t + 1) * source) - std::max(begin, int64_t(t) * source);
            shares.push_back({s, t, float(double(overlap) / source)});
        }
    }
    return shares;
}

AreaScaler::AreaScaler(int sourceWidth, int sourceHeight, int width, int height)
    : AreaScaler(PicturePart{0, 0, sourceWidth, sourceHeight}, width, height) {}

AreaScaler::AreaScaler(const PicturePart& part, int width, int height)
    : Width(width), Height(height), ColumnsFirst(part.Width > width), SumWidth(std::min(part.Width, width)),
      Columns(Shares(part.Width, width)), Rows(Shares(part.Height, height)), PartLeft(part.Left),
      PartTop(part.Top), Line(ColumnsFirst ? size_t(width) * 3 : 0), Sum(size_t(SumWidth) * height * 3) {}

namespace {

// The columns of one row, summed into a row of the target's width.
template <typename Sample>
void AddColumns(const Sample* row, const std::vector<AreaScaler::Share>& columns, float* to) {
    for (const AreaScaler::Share& c : columns) {
        const Sample* from = row + size_t(c.From) * 3;
        float* into = to + size_t(c.To) * 3;
        into[0] += c.Weight * from[0];
        into[1] += c.Weight * from[1];
        into[2] += c.Weight * from[2];
    }
}

template <typename Sample> void AddRowTo(const Sample* row, size_t count, float weight, float* to) {
    for (size_t i = 0; i < count; ++i)
        to[i] += weight * row[i];
}

} // namespace

void AreaScaler::AddRow(const uint8_t* rgb) {
    rgb += size_t(PartLeft) * 3;
    if (ColumnsFirst) {
        std::fill(Line.begin(), Line.end(), 0.0f);
        AddColumns(rgb, Columns, Line.data());
    }
    const size_t count = size_t(SumWidth) * 3;
    for (; NextRowShare < Rows.size() && Rows[NextRowShare].From + PartTop == NextRow; ++NextRowShare) {
        const Share& r = Rows[NextRowShare];
        float* to = &Sum[size_t(r.To) * count];
        if (ColumnsFirst)
            AddRowTo(Line.data(), count, r.Weight, to);
        else
            AddRowTo(rgb, count, r.Weight, to);
    }
    ++NextRow;
}

void AreaScaler::AddBlackRow() {
    while (NextRowShare < Rows.size() && Rows[NextRowShare].From + PartTop == NextRow)
        ++NextRowShare;
    ++NextRow;
}

std::vector<uint32_t> AreaScaler::Pixels() const {
    std::vector<uint32_t> pixels(size_t(Width) * Height);
    std::vector<float> row(ColumnsFirst ? 0 : size_t(Width) * 3);
    for (int y = 0; y < Height; ++y) {
        const float* sum = &Sum[size_t(y) * SumWidth * 3];
        if (!ColumnsFirst) {
            std::fill(row.begin(), row.end(), 0.0f);
            AddColumns(sum, Columns, row.data());
            sum = row.data();
        }
        for (int x = 0; x < Width; ++x) {
            uint32_t value = 0;
            for (int channel = 0; channel < 3; ++channel) {
                const long level = std::lround(sum[x * 3 + channel]);
                value = (value << 8) | uint32_t(std::clamp(level, 0L, 255L));
            }
            pixels[size_t(y) * Width + x] = value;
        }
    }
    return pixels;
}

void RgbaOverWhite(const uint8_t* rgba, int width, uint8_t* rgb) {
    for (int x = 0; x < width; ++x, rgba += 4, rgb += 3) {
        const int a = rgba[3];
        for (int c = 0; c < 3; ++c)
            rgb[c] = uint8_t((rgba[c] * a + 255 * (255 - a) + 127) / 255);
    }
}

void CardSize(int orientation, int width, int height, int* storedWidth, int* storedHeight) {
    const bool turned = orientation >= 5 && orientation <= 8;
    *storedWidth = turned ? height : width;
    *storedHeight = turned ? width : height;
}

AreaScaler CardScaler(int sourceWidth, int sourceHeight, int orientation, int width, int height,
                      const CardFraming& framing) {
    // The part is chosen on the picture as shown, then found again in the stored pixels.
    int shownWidth = 0;
    int shownHeight = 0;
    CardSize(orientation, sourceWidth, sourceHeight, &shownWidth, &shownHeight);
    const PicturePart part = StoredPart(ShownPart(shownWidth, shownHeight, width, height, framing),
                                        sourceWidth, sourceHeight, orientation);
    int storedWidth = 0;
    int storedHeight = 0;
    CardSize(orientation, width, height, &storedWidth, &storedHeight);
    return AreaScaler(part, storedWidth, storedHeight);
}

std::vector<uint32_t> ScaleRgbaOverWhite(const uint8_t* rgba, size_t stride, int width, int height,
                                         int toWidth, int toHeight, const CardFraming& framing) {
    AreaScaler scaler = CardScaler(width, height, 1, toWidth, toHeight, framing);
    std::vector<uint8_t> row(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        RgbaOverWhite(rgba + size_t(y) * stride, width, row.data());
        scaler.AddRow(row.data());
    }
    return scaler.Pixels();
}

std::vector<uint32_t> Upright(const std::vector<uint32_t>& pixels, int width, int height, int orientation) {
    if (orientation < 2 || orientation > 8)
        return pixels;
    const OrientationTurn turn = TurnOf(orientation);
    const int shownWidth = turn.Transpose ? height : width;
    const int shownHeight = turn.Transpose ? width : height;
    std::vector<uint32_t> shown(pixels.size());
    for (int y = 0; y < shownHeight; ++y) {
        for (int x = 0; x < shownWidth; ++x) {
            const int u = turn.Transpose ? y : x;
            const int v = turn.Transpose ? x : y;
            const int sx = turn.MirrorX ? width - 1 - u : u;
            const int sy = turn.MirrorY ? height - 1 - v : v;
            shown[size_t(y) * shownWidth + x] = pixels[size_t(sy) * width + sx];
        }
    }
    return shown;
}
