#pragma once

#include "core/display/displayarea.h"

#include <functional>
#include <string>

namespace quiz
{

class PresentationHost;

// The name of the picture shape the display is pasted as.
inline const std::string insertedChartName = "talvix chart 1A";

// How many times a failing insertion step is tried again after error 70.
inline constexpr int kInsertPermissionRetries = 3;

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

// Pastes the display's picture into slide slideIndex (1-based) of the active
// presentation and places it as insertedChartName over the display area, in
// steps: attach (and go to the presentation's folder), measure the page,
// write and paste the picture (writePicture writes it and gives its path, or
// throws), place the pasted shape hidden, then show it. A step failing with
// error 70 removes a shape left by an earlier insertion and is tried again,
// kInsertPermissionRetries times at most; any other failure moves on to the
// next step. Without a host every step fails and nothing is done.
void InsertChartIntoSlide(PresentationHost *host, int slideIndex, const DisplayArea &area,
                          const std::function<std::string()> &writePicture);

} // namespace quiz
