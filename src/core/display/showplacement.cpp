#include "core/display/showplacement.h"

#include <cmath>

namespace quiz
{

int wholePixels(double value)
{
    return static_cast<int>(std::nearbyint(value)); // to nearest, halves to even
}

PixelRect SlideShowPlacement(const PixelRect &showRect, const PixelRect &windowRect, double top, double left,
                             double height, double width)
{
    const double sw = showRect.width, sh = showRect.height;
    if (height == 0)
        height = windowRect.height / sh;
    if (width == 0)
        width = windowRect.width / sw;
    if (top == -1 && left == -1) {
        top = (sh - sh * height - 0.05 * sh) / sh; // bottom edge 5% above the show's bottom
        left = (sw - sw * width) / 2 / sw;
    } else if (top == -2 && left == -2) {
        top = (sh - sh * height) / 2 / sh;
        left = (sw - sw * width) / 2 / sw;
    }
    return {wholePixels(showRect.left + sw * left), wholePixels(showRect.top + sh * top),
            wholePixels(sw * width), wholePixels(sh * height)};
}

} // namespace quiz
