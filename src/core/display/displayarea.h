#pragma once

namespace quiz
{

// Where the display stands: fractions (0..1) of the slide-show window.
struct DisplayArea {
    float width = 0;
    float height = 0;
    float left = 0;
    float top = 0;
};

} // namespace quiz
