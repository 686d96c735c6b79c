#include "core/display/backgroundcapture.h"
#include "support/rows.h"

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

using ClipInside = test::RowTest;

TEST_P(ClipInside, KeepsTheClipInsideThePicture)
{
    const auto clip = [](const std::vector<float> &v) {
        return BackgroundClip{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
    };
    EXPECT_EQ(keepClipInside(clip(GetParam().floats(0)), 800, 600), clip(GetParam().floats(1)));
}
QUIZ_ROWS(ClipInside, "display/clipinside.rows");

} // namespace
} // namespace quiz
