#include "pictures/HeifThumbnail.h"

#include <gtest/gtest.h>

TEST(HeifThumbnail, StandsForThePrimaryOnlyWhenItCoversTheCardInTheSameShape) {
    const struct {
        int ThumbnailWidth, ThumbnailHeight, PrimaryWidth, PrimaryHeight, Width, Height;
        bool Use;
    } cases[] = {
        {320, 240, 4032, 3024, 320, 240, true},  // a phone's thumbnail, a card of its size
        {320, 240, 4032, 3024, 131, 98, true},   // a smaller card
        {320, 240, 4032, 3024, 321, 240, false}, // one pixel wider than the thumbnail
        {320, 240, 3024, 4032, 131, 98, false},  // the primary turned, the thumbnail not
        {240, 320, 3024, 4032, 131, 98, true},   // both turned
        {320, 180, 4000, 2252, 300, 150, true},  // 16:9, the thumbnail's height rounded down
        {320, 181, 4000, 2252, 300, 150, true},  // ... or up
        {320, 183, 4000, 2252, 300, 150, false}, // two pixels off: another shape
        {240, 240, 4032, 3024, 131, 98, false},  // square against 4:3
        {256, 256, 4000, 4000, 256, 256, true},  // square: a turn does not show
        {320, 240, 0, 0, 1, 1, false},           // no primary size
        {0, 0, 4032, 3024, 1, 1, false},         // no thumbnail size
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UseHeifThumbnail(c.ThumbnailWidth, c.ThumbnailHeight, c.PrimaryWidth, c.PrimaryHeight,
                                   c.Width, c.Height),
                  c.Use)
            << c.ThumbnailWidth << "x" << c.ThumbnailHeight << " of " << c.PrimaryWidth << "x"
            << c.PrimaryHeight << " for " << c.Width << "x" << c.Height;
    }
}
