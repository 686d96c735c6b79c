#pragma once

#include <cstdint>
#include <optional>

namespace quiz
{

// Workbook colours are 0xRRGGBB. The rest of the program keeps colours in
// blue-green-red order; rgbFromBgr turns one into the other.
using Rgb = std::uint32_t;

inline constexpr Rgb rgbWhite = 0xFFFFFF;
inline constexpr Rgb rgbBlack = 0x000000;

constexpr Rgb rgbFromBgr(std::uint32_t bgr)
{
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// The colours of the spreadsheet's default palette that the workbooks use
// (15 grey, 33 sky blue, 49 teal, 50 lime); nullopt for other indices.
std::optional<Rgb> paletteColour(int colorIndex);

} // namespace quiz
