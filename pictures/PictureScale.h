// Scaling of decoded rows to card size and turning the result upright; shared by the decoders.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pictures/PictureCrop.h"

// The most memory one picture may take to decode; a larger one is not a picture.
constexpr size_t MaxDecodeBytes = size_t(256) << 20;

// Area average of a picture fed as RGB rows, top row first: each target pixel is the mean of the
// source area it covers, so a downscale neither skips nor aliases detail.
class AreaScaler {
public:
    AreaScaler(int sourceWidth, int sourceHeight, int width, int height);
    // Only `part` of the source is scaled: every source row is still fed whole, and what lies outside
    // the part is passed over.
    AreaScaler(const PicturePart& part, int width, int height);
    // The next source row: sourceWidth RGB triples.
    void AddRow(const uint8_t* rgb);
    // The next source row, all black: it adds nothing, so it costs next to nothing.
    void AddBlackRow();
    // The scaled picture as 0x00RRGGBB, top row first.
    std::vector<uint32_t> Pixels() const;

    // Source pixel From's part of target pixel To (along one axis).
    struct Share {
        int From;
        int To;
        float Weight;
    };

private:
    static std::vector<Share> Shares(int source, int target);

    int Width;
    int Height;
    // Rows are summed at the narrower of the two widths: a tall, narrow picture then costs in
    // proportion to its pixels, not to its rows times the card's width.
    bool ColumnsFirst;
    int SumWidth;
    std::vector<Share> Columns;
    std::vector<Share> Rows;
    int PartLeft;
    int PartTop;
    size_t NextRowShare = 0;
    int NextRow = 0;
    std::vector<float> Line;
    std::vector<float> Sum;
};

// A scaler of a sourceWidth x sourceHeight picture, stored as EXIF orientation says, to the part of it
// a width x height card shows. Its pixels come out as stored: CardSize gives their size, and Upright
// with the same orientation turns them to the card.
AreaScaler CardScaler(int sourceWidth, int sourceHeight, int orientation, int width, int height,
                      const CardFraming& framing);
void CardSize(int orientation, int width, int height, int* storedWidth, int* storedHeight);

// One row of width RGBA pixels (alpha not premultiplied) as RGB laid over white, as a browser shows
// a transparent picture on a white page.
void RgbaOverWhite(const uint8_t* rgba, int width, uint8_t* rgb);

// A decoded RGBA picture, rows stride bytes apart, laid over white and scaled to a toWidth x toHeight
// card as framing says (0x00RRGGBB, top row first).
std::vector<uint32_t> ScaleRgbaOverWhite(const uint8_t* rgba, size_t stride, int width, int height,
                                         int toWidth, int toHeight, const CardFraming& framing);

// The pixels of a width x height picture as EXIF orientation (1..8) says to show them; for 5..8
// the result is height wide. Other values leave the pixels as they are.
std::vector<uint32_t> Upright(const std::vector<uint32_t>& pixels, int width, int height, int orientation);
