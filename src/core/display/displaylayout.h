#pragma once

#include "core/display/annotation.h"
#include "core/startup/quizstate.h"

#include <array>
#include <string>
#include <vector>

namespace quiz {

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

// Where an annotation goes, in pixels. An unplaced position (x or y -1) puts
// the name column at the left edge and the score column 300 pixels to its
// right, rows 60 pixels apart; a saved position is a fraction of the window,
// whose size is given in twips.
PointD annotationPosition(int row, AnnotationKind kind, const PointD &saved, double windowWidthTwips,
                          double windowHeightTwips, int twipsPerPixelX, int twipsPerPixelY);

// The saved position of an annotation, or (-1, -1) when the table has none.
PointD savedAnnotationPosition(const QuizState &state, int row, AnnotationKind kind);

// The font the display settings give every annotation.
AnnotationFont displayFont(const QuizState &state);

// The annotations of rowCount display rows, in tool order (2r name, 2r + 1
// score), with their placeholder texts, positions, invisible boxes, hidden
// highlights and the display font; score annotations are inactive when scores
// are not shown.
std::vector<Annotation> composeAnnotations(const QuizState &state, int rowCount, double windowWidthTwips,
                                           double windowHeightTwips);

// The amount added to the display area's top so that the window sits 22
// pixels lower: a fraction of the screen's height.
float displayAreaTopShift(int twipsPerPixelY, double screenHeightTwips);

} // namespace quiz
