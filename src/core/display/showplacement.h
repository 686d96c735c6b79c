#pragma once

#include "ports/geometry.h"

namespace quiz
{

// A length in whole pixels: to the nearest, halves to even.
int wholePixels(double value);

// The rectangle, in pixels, that a window of size windowRect gets over the
// show window showRect (PlaceOverSlideShow, the layout editor): top, left,
// height and width are fractions of the show window; -1/-1 for top/left:
// centred near the bottom, -2/-2: centred; 0 for height/width: the window's
// own size.
PixelRect SlideShowPlacement(const PixelRect &showRect, const PixelRect &windowRect, double top, double left,
                             double height, double width);

} // namespace quiz
