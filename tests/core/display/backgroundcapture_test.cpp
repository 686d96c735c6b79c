#include "core/display/backgroundcapture.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

ChartPlacementTwips windowAt(int leftPx, int topPx, int widthPx, int heightPx, int tpp = 15)
{
    return ChartPlacementTwips{double(leftPx * tpp),  double(topPx * tpp),   0, 0,
                               double(widthPx * tpp), double(heightPx * tpp)};
}

TEST(BackgroundClip, ClipIsTheChartsPlaceOnTheShowWindow)
{
    struct Case {
        const char *name;
        bool editor; // the layout editor adds its border and caption
        ChartPlacementTwips window;
        PixelRect show;
        BackgroundClip clip;
    } cases[] = {
        {"display window over the whole show",
         false,
         windowAt(100, 50, 1280, 720),
         {100, 50, 1280, 720},
         {0, 0, 1280, 720}},
        {"layout editor", true, windowAt(110, 70, 400, 300), {10, 20, 1024, 768}, {104, 70, 400, 300}},
        {"dragged off the slide above and left",
         true,
         windowAt(50, 20, 200, 100),
         {100, 100, 800, 600},
         {0, 0, 200, 100}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(backgroundClip(c.editor, c.window, 15, 15, c.show, c.show.width, c.show.height), c.clip)
            << c.name;

    ChartPlacementTwips offset = windowAt(200, 100, 300, 200, 12); // the chart's place inside the window
    offset.chartLeft = 10 * 12;
    offset.chartTop = 5 * 12;
    EXPECT_EQ(chartClip(false, offset, 12, 12, PixelRect{0, 0, 800, 600}),
              (BackgroundClip{210, 105, 300, 200}));
    // 1000 twips at 15 per pixel is 66.67 pixels: 66.
    const ChartPlacementTwips thirds{1000, 1000, 0, 0, 1000, 1000};
    EXPECT_EQ(chartClip(false, thirds, 15, 15, PixelRect{0, 0, 500, 500}), (BackgroundClip{66, 66, 66, 66}));
}

TEST(BackgroundClip, KeepClipInsideThePicture)
{
    struct Case {
        const char *name;
        BackgroundClip in, out;
    } cases[] = {
        // clang-format off
        {"inside", {10, 20, 300, 200}, {10, 20, 300, 200}},
        {"exactly", {0, 0, 800, 600}, {0, 0, 800, 600}},
        {"off above and left", {-30, -40, 300, 200}, {0, 0, 300, 200}},
        {"past bottom", {10, 500, 300, 200}, {10, 500, 300, 100}},
        {"past right", {700, 20, 300, 200}, {700, 20, 100, 200}},
        {"larger than the picture", {0, 0, 1000, 900}, {0, 0, 800, 600}},
        {"wholly beyond right", {900, 0, 100, 100}, {800, 0, 0, 100}},
        {"wholly beyond bottom", {0, 650, 100, 100}, {0, 600, 100, 0}},
        // clang-format on
    };
    for (const auto &c : cases)
        EXPECT_EQ(keepClipInside(c.in, 800, 600), c.out) << c.name;
}

} // namespace
} // namespace quiz
