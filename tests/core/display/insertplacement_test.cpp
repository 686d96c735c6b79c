#include "core/display/insertplacement.h"

#include <gtest/gtest.h>

namespace quiz {
namespace {

TEST(InsertPlacement, QuarterAreaOnAFourByThreeSlide)
{
    DisplayArea area;
    area.width = 0.5f;
    area.height = 0.5f;
    area.left = 0.25f;
    area.top = 0.25f;
    EXPECT_EQ(insertedChartRect(720, 540, area), (SlideRect{180, 135, 380, 278}));
}

TEST(InsertPlacement, WidthAndHeightGetTheirMarginsEvenForAnEmptyArea)
{
    EXPECT_EQ(insertedChartRect(960, 540, DisplayArea{}), (SlideRect{0, 0, 20, 8}));
}

TEST(InsertPlacement, SinglePrecisionFractionsAreWidenedExactly)
{
    DisplayArea area;
    area.width = 0.3f;
    area.left = 0.1f;
    const SlideRect r = insertedChartRect(1000, 500, area);
    EXPECT_DOUBLE_EQ(r.left, 1000 * static_cast<double>(0.1f));
    EXPECT_DOUBLE_EQ(r.width, 1000 * static_cast<double>(0.3f) + 20);
}

TEST(InsertPlacement, ShapeName)
{
    EXPECT_EQ(insertedChartName, "talvix chart 1A");
}

} // namespace
} // namespace quiz
