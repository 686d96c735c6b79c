#pragma once

#include "ports/geometry.h"

namespace quiz
{

// The part of the captured slide picture that lies under a chart, in the
// picture's pixels.
struct BackgroundClip {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const BackgroundClip &) const = default;
};

// Where a chart lies on the screen. Window and chart positions and sizes are
// in twips, as windows measure them.
struct ChartPlacementTwips {
    double windowLeft = 0;
    double windowTop = 0;
    double chartLeft = 0;
    double chartTop = 0;
    double chartWidth = 0;
    double chartHeight = 0;
};

// The layout editor's border and caption push its chart 4 pixels right and
// 20 pixels down from the window's corner; the display window has neither.
inline constexpr int layoutEditorOffsetX = 4;
inline constexpr int layoutEditorOffsetY = 20;

// The clip before it is kept inside the picture: the chart's screen position
// less the slide-show window's corner, and the chart's size, in pixels.
BackgroundClip chartClip(bool isLayoutEditor, const ChartPlacementTwips &chart, int twipsPerPixelX,
                         int twipsPerPixelY, const PixelRect &showWindow);

// Keeps a clip inside a picture of the given size: a negative origin becomes 0
// (vertical first); a clip reaching past the bottom or right edge gives up the
// overshoot from its size, never below 0. The origin stays, so the cut-out
// stays aligned with the slide under the chart.
BackgroundClip keepClipInside(BackgroundClip clip, int pictureWidth, int pictureHeight);

// Both steps.
BackgroundClip backgroundClip(bool isLayoutEditor, const ChartPlacementTwips &chart, int twipsPerPixelX,
                              int twipsPerPixelY, const PixelRect &showWindow, int pictureWidth,
                              int pictureHeight);

} // namespace quiz
