#pragma once

#include "core/display/annotation.h"

#include <vector>

namespace quiz
{

// The annotation tools of one chart, in the order they were added. The
// display adds them row by row, name then score, so that the name annotation
// of row r is tool 2r and its score annotation tool 2r + 1.
class ChartModel
{
  public:
    // Adds an annotation with default settings; returns its index.
    int addAnnotation();
    int addAnnotation(Annotation annotation);
    int count() const { return static_cast<int>(annotations_.size()); }
    // Throws std::out_of_range for an index that is not a tool.
    Annotation &annotation(int index);
    const Annotation &annotation(int index) const;
    const std::vector<Annotation> &annotations() const { return annotations_; }
    void clear() { annotations_.clear(); }

  private:
    std::vector<Annotation> annotations_;
};

// Space between an annotation's box and its text, in pixels.
inline constexpr double annotationMargin = 4;
// Offset of a box's shadow, in pixels.
inline constexpr double annotationShadowOffset = 3;

// The box an annotation takes for a text of the given size (pixels).
RectD annotationBox(const Annotation &annotation, double textWidth, double textHeight);

// Index of the first active annotation whose box (boxes[i] for annotation i)
// holds the point; -1 when none does. Lower indices win where boxes overlap.
int annotationAt(const std::vector<Annotation> &annotations, const std::vector<RectD> &boxes, double x,
                 double y);

} // namespace quiz
