#include "core/display/chartmodel.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace quiz {
namespace {

TEST(ChartModel, ToolsKeepTheOrderTheyWereAddedIn)
{
    ChartModel m;
    for (int i = 0; i < 4; ++i) {
        Annotation a;
        a.text = "t" + std::to_string(i);
        EXPECT_EQ(m.addAnnotation(a), i);
    }
    EXPECT_EQ(m.count(), 4);
    EXPECT_EQ(m.annotation(2).text, "t2");
    EXPECT_THROW(m.annotation(4), std::out_of_range);
    EXPECT_THROW(m.annotation(-1), std::out_of_range);
    m.clear();
    EXPECT_EQ(m.count(), 0);
}

TEST(ChartModel, BoxSurroundsTheTextWithAMargin)
{
    Annotation a;
    a.left = 10.5;
    a.top = 20;
    EXPECT_EQ(annotationBox(a, 100, 30), (RectD{10.5, 20, 100 + 2 * annotationMargin, 30 + 2 * annotationMargin}));
}

TEST(ChartModel, HitTestFindsTheLowestIndexAndSkipsInactive)
{
    std::vector<Annotation> a(3);
    const std::vector<RectD> boxes{{0, 0, 50, 20}, {40, 0, 50, 20}, {200, 200, 10, 10}};
    EXPECT_EQ(annotationAt(a, boxes, 45, 10), 0); // overlap: lower index
    EXPECT_EQ(annotationAt(a, boxes, 60, 10), 1);
    EXPECT_EQ(annotationAt(a, boxes, 205, 205), 2);
    EXPECT_EQ(annotationAt(a, boxes, 100, 100), -1);
    a[0].active = false;
    EXPECT_EQ(annotationAt(a, boxes, 45, 10), 1);
}

TEST(ChartModel, BoxEdgesRightAndBottomAreOutside)
{
    const RectD r{0, 0, 10, 10};
    EXPECT_TRUE(r.contains(0, 0));
    EXPECT_TRUE(r.contains(9.99, 9.99));
    EXPECT_FALSE(r.contains(10, 5));
    EXPECT_FALSE(r.contains(5, 10));
    EXPECT_FALSE(r.contains(-0.01, 5));
}

} // namespace
} // namespace quiz
