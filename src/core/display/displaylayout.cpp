#include "core/display/displaylayout.h"

namespace quiz
{

std::string placeholderText(int row, AnnotationKind kind, const std::array<std::string, 2> &textToAdd)
{
    const std::string place = std::to_string(row + 1);
    if (kind == AnnotationKind::Name)
        return "K" + place;
    return textToAdd[0] + " S" + place + textToAdd[1];
}

float displayAreaTopShift(int twipsPerPixelY, double screenHeightTwips)
{
    if (screenHeightTwips <= 0)
        return 0;
    return static_cast<float>(22.0 * twipsPerPixelY / screenHeightTwips);
}

} // namespace quiz
