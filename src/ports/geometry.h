#pragma once

namespace quiz
{

// A rectangle of the screen in pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const PixelRect &) const = default;
};

} // namespace quiz
