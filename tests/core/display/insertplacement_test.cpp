#include "core/display/insertplacement.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(InsertPlacement, TheAreaIsAPartOfTheSlideWithMarginsOnWidthAndHeight)
{
    EXPECT_EQ(insertedChartRect(720, 540, DisplayArea{0.5f, 0.5f, 0.25f, 0.25f}),
              (SlideRect{180, 135, 380, 278}));
    EXPECT_EQ(insertedChartRect(960, 540, DisplayArea{}), (SlideRect{0, 0, 20, 8}));
    // Single-precision fractions are widened exactly.
    const SlideRect r = insertedChartRect(1000, 500, DisplayArea{0.3f, 0, 0.1f, 0});
    EXPECT_DOUBLE_EQ(r.left, 1000 * static_cast<double>(0.1f));
    EXPECT_DOUBLE_EQ(r.width, 1000 * static_cast<double>(0.3f) + 20);
}

} // namespace
} // namespace quiz
