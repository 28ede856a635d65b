#include "game/CellGeometry.h"

#include <gtest/gtest.h>

#include "tests/unit/unit_support.h"

namespace {

TEST(CellGeometry, CardLeavesAGapLeftAndAbove) {
    EXPECT_EQ(Edges(CellRect(0, 0, 200, 150)), "4,4 to 200,150");
    EXPECT_EQ(Edges(CellRect(3, 3, 200, 150)), "604,454 to 800,600");
    EXPECT_EQ(Edges(CellRect(2, 1, 200, 150)), "404,154 to 600,300"); // column across, row down
    EXPECT_EQ(Edges(CellRect(5, 5, 135, 102)), "679,514 to 810,612"); // the grid may pass the back buffer
}

} // namespace
