#include "core/display/backgroundcapture.h"

#include <gtest/gtest.h>

namespace quiz {
namespace {

ChartPlacementTwips windowAt(int leftPx, int topPx, int widthPx, int heightPx, int tpp = 15)
{
    return ChartPlacementTwips{double(leftPx * tpp), double(topPx * tpp), 0, 0, double(widthPx * tpp),
                               double(heightPx * tpp)};
}

TEST(BackgroundClip, DisplayWindowOverTheWholeShowGetsTheWholeSlide)
{
    const PixelRect show{100, 50, 1280, 720};
    EXPECT_EQ(backgroundClip(false, windowAt(100, 50, 1280, 720), 15, 15, show, 1280, 720),
              (BackgroundClip{0, 0, 1280, 720}));
}

TEST(BackgroundClip, LayoutEditorAddsItsBorderAndCaption)
{
    const PixelRect show{10, 20, 1024, 768};
    const BackgroundClip clip = backgroundClip(true, windowAt(110, 70, 400, 300), 15, 15, show, 1024, 768);
    EXPECT_EQ(clip.x, 104);
    EXPECT_EQ(clip.y, 70);
    EXPECT_EQ(clip.width, 400);
    EXPECT_EQ(clip.height, 300);
}

TEST(BackgroundClip, ChartOffsetInsideTheWindowCounts)
{
    ChartPlacementTwips p = windowAt(200, 100, 300, 200, 12);
    p.chartLeft = 10 * 12;
    p.chartTop = 5 * 12;
    EXPECT_EQ(chartClip(false, p, 12, 12, PixelRect{0, 0, 800, 600}), (BackgroundClip{210, 105, 300, 200}));
}

TEST(BackgroundClip, PixelsAreWholePartsOfTheTwipDivision)
{
    // 1000 twips at 15 per pixel is 66.67 pixels: 66.
    const ChartPlacementTwips p{1000, 1000, 0, 0, 1000, 1000};
    EXPECT_EQ(chartClip(false, p, 15, 15, PixelRect{0, 0, 500, 500}), (BackgroundClip{66, 66, 66, 66}));
}

struct InsideCase {
    const char *name;
    BackgroundClip in;
    BackgroundClip out;
};

class KeepInside : public ::testing::TestWithParam<InsideCase> {};

TEST_P(KeepInside, ClipEndsInsideThePicture)
{
    const auto &c = GetParam();
    const BackgroundClip got = keepClipInside(c.in, 800, 600);
    EXPECT_EQ(got, c.out);
    EXPECT_GE(got.x, 0);
    EXPECT_GE(got.y, 0);
    EXPECT_LE(got.x + got.width, 800);
    EXPECT_LE(got.y + got.height, 600);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeepInside,
    ::testing::Values(InsideCase{"inside", {10, 20, 300, 200}, {10, 20, 300, 200}},
                      InsideCase{"exactly", {0, 0, 800, 600}, {0, 0, 800, 600}},
                      InsideCase{"offAboveAndLeft", {-30, -40, 300, 200}, {0, 0, 300, 200}},
                      InsideCase{"pastBottom", {10, 500, 300, 200}, {10, 500, 300, 100}},
                      InsideCase{"pastRight", {700, 20, 300, 200}, {700, 20, 100, 200}},
                      InsideCase{"largerThanPicture", {0, 0, 1000, 900}, {0, 0, 800, 600}},
                      InsideCase{"wholyBeyondRight", {900, 0, 100, 100}, {800, 0, 0, 100}},
                      InsideCase{"wholyBeyondBottom", {0, 650, 100, 100}, {0, 600, 100, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(BackgroundClip, WindowDraggedOffTheSlideAboveAndLeftStartsAtZero)
{
    const PixelRect show{100, 100, 800, 600};
    const BackgroundClip clip = backgroundClip(true, windowAt(50, 20, 200, 100), 15, 15, show, 800, 600);
    EXPECT_EQ(clip.x, 0);
    EXPECT_EQ(clip.y, 0);
}

} // namespace
} // namespace quiz
