#include "core/workbook/colour.h"

namespace quiz
{

std::optional<Rgb> paletteColour(int colorIndex)
{
    switch (colorIndex) {
    case 1:
        return 0x000000;
    case 2:
        return 0xFFFFFF;
    case 3:
        return 0xFF0000;
    case 4:
        return 0x00FF00;
    case 5:
        return 0x0000FF;
    case 6:
        return 0xFFFF00;
    case 15:
        return 0xC0C0C0;
    case 33:
        return 0x00CCFF;
    case 49:
        return 0x33CCCC;
    case 50:
        return 0x99CC00;
    default:
        return std::nullopt;
    }
}

} // namespace quiz
