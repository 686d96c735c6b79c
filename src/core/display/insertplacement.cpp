#include "core/display/insertplacement.h"

namespace quiz {

SlideRect insertedChartRect(double pageWidth, double pageHeight, const DisplayArea &area)
{
    // The area's fractions are single precision; the products are not.
    return SlideRect{pageWidth * static_cast<double>(area.left), pageHeight * static_cast<double>(area.top),
                     pageWidth * static_cast<double>(area.width) + 20,
                     pageHeight * static_cast<double>(area.height) + 8};
}

} // namespace quiz
