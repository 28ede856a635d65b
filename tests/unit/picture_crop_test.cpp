#include "pictures/PictureCrop.h"

#include <gtest/gtest.h>

#include <numeric>
#include <tuple>

#include "pictures/PictureScale.h"
#include "pictures/PixelRescale.h"

namespace {

const PictureFit Keep = PictureFit::KeepShape, Stretch = PictureFit::Stretch;

// The part shown, and the size the whole picture must be decoded at for that part to cover the card.
TEST(PictureCrop, ShownPartHasTheCardsShapeAndSitsWhereFacesAre) {
    const struct {
        int Width, Height, CardWidth, CardHeight;
        PictureFit Fit;
        PicturePart Part;
        int CoverWidth, CoverHeight;
    } cases[] = {
        {3024, 4032, 200, 150, Keep, {0, 479, 3024, 2268}, 200, 267},  // portrait: centre at 40 %
        {4032, 3024, 90, 120, Keep, {882, 0, 2268, 3024}, 160, 120},   // landscape into a tall card
        {400, 100, 200, 150, Keep, {134, 0, 133, 100}, 600, 150},      // wide: centred across
        {100, 1000, 100, 900, Keep, {0, 0, 100, 900}, 100, 1000},      // 40 % would reach above the top
        {1001, 1000, 4, 3, Keep, {0, 25, 1001, 751}, 4, 4},            // sizes that do not divide
        {1, 500, 200, 150, Keep, {0, 200, 1, 1}, 200, 100000},         // a pixel wide
        {3024, 4032, 200, 150, Stretch, {0, 0, 3024, 4032}, 200, 150}, // stretched: all of it
        {3024, 4032, 0, 0, Keep, {0, 0, 3024, 4032}, 0, 0},            // no card
    };
    for (const auto& c : cases) {
        int width = 0, height = 0;
        CoveringSize(c.Width, c.Height, c.CardWidth, c.CardHeight, c.Fit, &width, &height);
        const PicturePart p = ShownPart(c.Width, c.Height, c.CardWidth, c.CardHeight, c.Fit);
        EXPECT_EQ(std::make_tuple(p.Left, p.Top, p.Width, p.Height),
                  std::make_tuple(c.Part.Left, c.Part.Top, c.Part.Width, c.Part.Height))
            << c.Width << "x" << c.Height << " for " << c.CardWidth << "x" << c.CardHeight;
        EXPECT_EQ(std::make_pair(width, height), std::make_pair(c.CoverWidth, c.CoverHeight)) << c.Width;
    }
}

// Cut from the stored pixels and turned upright, a part is the same pixels as the part cut from the
// picture already turned, for every orientation.
TEST(PictureCrop, StoredPartIsTheShownPartBeforeTheTurn) {
    std::vector<uint32_t> stored(7 * 4);
    std::iota(stored.begin(), stored.end(), 1u);
    const auto cut = [](const std::vector<uint32_t>& pixels, int width, const PicturePart& p) {
        std::vector<uint32_t> part;
        for (int y = p.Top; y < p.Top + p.Height; ++y)
            part.insert(part.end(), &pixels[size_t(y) * width + p.Left],
                        &pixels[size_t(y) * width + p.Left + p.Width]);
        return part;
    };
    for (int orientation = 1; orientation <= 8; ++orientation) {
        const PicturePart shown = {1, 2, 2, 1}, part = StoredPart(shown, 7, 4, orientation);
        EXPECT_EQ(Upright(cut(stored, 7, part), part.Width, part.Height, orientation),
                  cut(Upright(stored, 7, 4, orientation), orientation >= 5 ? 4 : 7, shown))
            << orientation;
    }
}

// Grey levels 10, 20, 30 ... along the picture's long side, scaled into a card: only the part's
// pixels reach it, whether the scaler sums the columns first (part wider than the card) or not.
TEST(PictureCrop, ScaledCardHoldsOnlyThePartsPixels) {
    const struct {
        int Width, Height, CardWidth, CardHeight;
        PictureFit Fit;
        std::vector<int> Levels;
    } cases[] = {
        {4, 1, 2, 1, Stretch, {15, 35}}, {4, 1, 2, 1, Keep, {20, 30}},  {8, 2, 2, 1, Keep, {35, 55}},
        {1, 5, 1, 1, Keep, {30}},        {2, 10, 1, 2, Keep, {35, 55}},
    };
    for (const auto& c : cases) {
        std::vector<uint32_t> pixels(size_t(c.Width) * c.Height);
        for (size_t p = 0; p < pixels.size(); ++p)
            pixels[p] = 0x010101u * uint32_t(10 * (1 + (c.Width > c.Height ? p % c.Width : p / c.Width)));
        std::vector<int> levels;
        for (uint32_t pixel : RescalePixels(pixels, c.Width, c.Height, c.CardWidth, c.CardHeight, c.Fit))
            levels.push_back(int(pixel & 0xFF));
        EXPECT_EQ(levels, c.Levels) << c.Width << "x" << c.Height << " fit " << int(c.Fit);
    }
}

} // namespace
