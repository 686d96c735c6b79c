#pragma once

#include "core/startup/quizstate.h"

#include <string>

namespace quiz {

// The name of the picture shape the display is pasted as.
inline const std::string insertedChartName = "talvix chart 1A";

// A rectangle on a slide, in points.
struct SlideRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool operator==(const SlideRect &) const = default;
};

// Where the display's picture goes on a slide of the given page size
// (points): the display area's fractions of the page, widened by 20 points
// and heightened by 8.
SlideRect insertedChartRect(double pageWidth, double pageHeight, const DisplayArea &area);

} // namespace quiz
