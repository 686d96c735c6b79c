#pragma once

#include "ports/dialogs.h"

#include <cstdint>
#include <string>

namespace quiz
{

// The font of one annotation: the seven settings the display keeps, plus the
// transparency of the text's own shadow.
// The font the set-up chooses (name, size in points, styles, colour as
// blue-green-red), and the text's shadow.
struct AnnotationFont : FontChoice {
    int shadowTransparency = 0; // percent; 100 = no text shadow
    bool operator==(const AnnotationFont &) const = default;
};

// The frame that marks a selected annotation in the layout editor. Hidden on
// the display. A solid frame of `width` pixels at `transparency` percent.
struct AnnotationHighlight {
    bool visible = false;
    int style = 0; // 0 solid, 1 dashed, 2 dotted
    int width = 4;
    int transparency = 0;
    bool operator==(const AnnotationHighlight &) const = default;
};

// One annotation tool of the chart: a text in a box at a position in pixels.
struct Annotation {
    std::string text;
    double left = 0; // pixels, real-valued; drawn at the nearest whole pixel
    double top = 0;
    AnnotationFont font;
    bool active = true;         // an inactive annotation is neither drawn nor hit
    int boxTransparency = 0;    // percent; 100 = the box is invisible
    int shadowTransparency = 0; // percent, the box's shadow
    bool transparent = false;   // the box is not painted at all (set before an export)
    AnnotationHighlight highlight;
    bool operator==(const Annotation &) const = default;
};

// A rectangle in pixels with real-valued edges.
struct RectD {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool contains(double x, double y) const
    {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
    bool operator==(const RectD &) const = default;
};

} // namespace quiz
