#pragma once

#include "core/display/annotation.h"
#include "core/display/displaylayout.h"
#include "core/startup/quizstate.h"

#include <vector>

namespace quiz
{

// The display's annotations as the quiz set-up places them: the saved
// positions, the texts around the scores, the display font. The layout
// editor stores its layout back the same way.

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

// Closing the layout editor: the positions of displayCount rows as fractions
// of the window (its size in twips), and the font of annotation 0, into the state.
void storeLayout(QuizState &state, const std::vector<Annotation> &annotations, double windowWidthTwips,
                 double windowHeightTwips);

} // namespace quiz
