#pragma once

#include "core/display/annotation.h"

#include <array>
#include <string>
#include <vector>

namespace quiz
{

// The two annotations of a display row.
enum class AnnotationKind { Name = 0, Score = 1 };

inline int annotationIndex(int row, AnnotationKind kind)
{
    return 2 * row + static_cast<int>(kind);
}

// The placeholder text of an annotation before the results fill it: "K" and
// the place number for a name, the score prefix, " S", the place number and
// the suffix for a score.
std::string placeholderText(int row, AnnotationKind kind, const std::array<std::string, 2> &textToAdd);

// The amount added to the display area's top so that the window sits 22
// pixels lower: a fraction of the screen's height.
float displayAreaTopShift(int twipsPerPixelY, double screenHeightTwips);

} // namespace quiz
