#include "pictures/PictureCrop.h"

#include <gtest/gtest.h>

#include <cmath>
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

// A group photo of three: a person's card is the card's shape around their face, about three face
// widths across with the face a little above the middle, and holds none of the neighbours' faces;
// at a picture's edge it stays inside.
TEST(PictureCrop, APersonsCardShowsTheirFace) {
    const std::vector<FaceBox> faces = {
        {0.10, 0.30, 0.05, 0.08}, {0.45, 0.32, 0.05, 0.08}, {0.90, 0.30, 0.06, 0.09}};
    for (size_t i = 0; i < faces.size(); ++i) {
        const FaceBox& face = faces[i];
        CardFraming framing(Stretch);
        framing.Faces = faces;
        framing.HasPerson = true;
        framing.Person = face;
        const PicturePart p = ShownPart(4000, 3000, 300, 400, framing);
        EXPECT_EQ(p.Width * 400, p.Height * 300) << face.Left; // the card's shape, to the pixel here
        EXPECT_NEAR(p.Width, 3 * 0.05 * 4000 * (face.Width / 0.05), 2);
        EXPECT_GE(p.Left, 0);
        EXPECT_LE(p.Left + p.Width, 4000);
        const double centreX = (face.Left + face.Width / 2) * 4000,
                     centreY = (face.Top + face.Height / 2) * 3000;
        if (i != 2) // the last is pushed inside the picture
            EXPECT_NEAR(centreX, p.Left + p.Width / 2.0, 1) << face.Left;
        EXPECT_NEAR((centreY - p.Top) / p.Height, 0.4, 0.01) << face.Left;
        for (size_t j = 0; j < faces.size(); ++j)
            if (j != i)
                EXPECT_TRUE((faces[j].Left + faces[j].Width) * 4000 <= p.Left ||
                            faces[j].Left * 4000 >= p.Left + p.Width)
                    << i << " shows " << j;
    }
    // A face as large as the picture: the largest part of the card's shape the picture holds.
    CardFraming close(Keep);
    close.HasPerson = true;
    close.Person = {0.2, 0.1, 0.6, 0.8};
    const PicturePart whole = ShownPart(1000, 1000, 300, 400, close);
    EXPECT_EQ(std::make_tuple(whole.Top, whole.Width, whole.Height), std::make_tuple(0, 750, 1000));
    // Decoded whole at the covering size, the person's part still covers the card.
    int coverWidth = 0, coverHeight = 0;
    CoveringSize(4000, 3000, 300, 400, close, &coverWidth, &coverHeight);
    const PicturePart part = ShownPart(4000, 3000, 300, 400, close);
    EXPECT_GE(double(coverWidth) * part.Width / 4000, 300 - 1e-9);
    EXPECT_GE(double(coverHeight) * part.Height / 3000, 400 - 1e-9);
    EXPECT_LT(double(coverWidth - 1) * part.Width / 4000, 300);
}

// A kept shape holds every face that fits in it, else the largest; without faces it keeps its 40 %
// line, and a person whose box is no box frames as the fit does.
TEST(PictureCrop, AKeptShapeHoldsTheFaces) {
    CardFraming framing(Keep);
    framing.Faces = {{0.1, 0.75, 0.1, 0.1}, {0.7, 0.8, 0.12, 0.1}};
    const PicturePart both = ShownPart(1000, 2000, 400, 300, framing); // a part 1000 x 750
    EXPECT_LE(both.Top, 1500);
    EXPECT_GE(both.Top + both.Height, 1800);
    framing.Faces = {{0.1, 0.05, 0.1, 0.05}, {0.5, 0.85, 0.2, 0.1}};
    const PicturePart largest = ShownPart(1000, 2000, 400, 300, framing);
    EXPECT_LE(largest.Top, 1700);
    EXPECT_GE(largest.Top + largest.Height, 1900);
    EXPECT_EQ(largest.Top + largest.Height, 2000); // kept inside the picture
    framing.Faces.clear();
    framing.HasPerson = true;
    framing.Person = {std::nan(""), 0.1, 0.1, 0.1};
    const PicturePart plain = ShownPart(1000, 2000, 400, 300, framing);
    EXPECT_EQ(plain.Top, 425); // the part's centre at 40 % of the height
}
