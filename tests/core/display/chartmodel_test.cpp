#include "core/display/chartmodel.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quiz
{
namespace
{

TEST(ChartModel, ToolsKeepTheOrderTheyWereAddedIn)
{
    ChartModel m;
    for (int i = 0; i < 4; ++i) {
        Annotation a;
        a.text = "t" + std::to_string(i);
        EXPECT_EQ(m.addAnnotation(a), i);
    }
    EXPECT_EQ(m.annotation(2).text, "t2");
    EXPECT_THROW(m.annotation(4), std::out_of_range);
    EXPECT_THROW(m.annotation(-1), std::out_of_range);
    m.clear();
    EXPECT_EQ(m.count(), 0);
}

TEST(ChartModel, HitTestFindsTheLowestIndexSkipsInactiveAndRightAndBottomEdgesAreOutside)
{
    std::vector<Annotation> a(3);
    const std::vector<RectD> boxes{{0, 0, 50, 20}, {40, 0, 50, 20}, {200, 200, 10, 10}};
    EXPECT_EQ(annotationAt(a, boxes, 45, 10), 0); // overlap: lower index
    EXPECT_EQ(annotationAt(a, boxes, 60, 10), 1);
    EXPECT_EQ(annotationAt(a, boxes, 200, 200), 2);
    EXPECT_EQ(annotationAt(a, boxes, 209.99, 209.99), 2);
    EXPECT_EQ(annotationAt(a, boxes, 210, 205), -1);
    EXPECT_EQ(annotationAt(a, boxes, 205, 210), -1);
    EXPECT_EQ(annotationAt(a, boxes, 199.99, 205), -1);
    a[0].active = false;
    EXPECT_EQ(annotationAt(a, boxes, 45, 10), 1);
}

} // namespace
} // namespace quiz
