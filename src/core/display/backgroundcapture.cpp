#include "core/display/backgroundcapture.h"

#include <cmath>

namespace quiz
{

namespace
{
int wholePart(double value)
{
    return static_cast<int>(std::trunc(value));
}
} // namespace

BackgroundClip chartClip(bool isLayoutEditor, const ChartPlacementTwips &chart, int twipsPerPixelX,
                         int twipsPerPixelY, const PixelRect &showWindow)
{
    const int xOffset = isLayoutEditor ? layoutEditorOffsetX : 0;
    const int yOffset = isLayoutEditor ? layoutEditorOffsetY : 0;
    const double tx = twipsPerPixelX > 0 ? twipsPerPixelX : 15;
    const double ty = twipsPerPixelY > 0 ? twipsPerPixelY : 15;
    BackgroundClip clip;
    clip.x = wholePart(xOffset + (chart.windowLeft + chart.chartLeft) / tx) - showWindow.left;
    clip.y = wholePart(yOffset + (chart.windowTop + chart.chartTop) / ty) - showWindow.top;
    clip.width = wholePart(chart.chartWidth / tx);
    clip.height = wholePart(chart.chartHeight / ty);
    return clip;
}

BackgroundClip keepClipInside(BackgroundClip clip, int pictureWidth, int pictureHeight)
{
    if (clip.y < 0)
        clip.y = 0;
    if (clip.x < 0)
        clip.x = 0;
    if (clip.height < 0)
        clip.height = 0;
    if (clip.width < 0)
        clip.width = 0;
    if (clip.y > pictureHeight)
        clip.y = pictureHeight > 0 ? pictureHeight : 0;
    if (clip.x > pictureWidth)
        clip.x = pictureWidth > 0 ? pictureWidth : 0;
    const int overBottom = clip.y + clip.height - pictureHeight;
    if (overBottom > 0)
        clip.height = clip.height - overBottom >= 0 ? clip.height - overBottom : 0;
    const int overRight = clip.x + clip.width - pictureWidth;
    if (overRight > 0)
        clip.width = clip.width - overRight >= 0 ? clip.width - overRight : 0;
    return clip;
}

BackgroundClip backgroundClip(bool isLayoutEditor, const ChartPlacementTwips &chart, int twipsPerPixelX,
                              int twipsPerPixelY, const PixelRect &showWindow, int pictureWidth,
                              int pictureHeight)
{
    return keepClipInside(chartClip(isLayoutEditor, chart, twipsPerPixelX, twipsPerPixelY, showWindow),
                          pictureWidth, pictureHeight);
}

} // namespace quiz
