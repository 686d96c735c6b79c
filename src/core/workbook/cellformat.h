#pragma once

#include "core/workbook/colour.h"

#include <array>
#include <optional>
#include <string>

namespace quiz
{

enum class BorderStyle { None, Continuous, Dash, Dot, DashDot, DashDotDot, Double };
enum class BorderWeight { Hairline, Thin, Medium, Thick };
enum class Edge { Left = 0, Top = 1, Right = 2, Bottom = 3 };

struct Border {
    BorderStyle style = BorderStyle::None;
    BorderWeight weight = BorderWeight::Thin;
    std::optional<Rgb> colour; // nullopt: automatic
    bool operator==(const Border &) const = default;
};

enum class HorizontalAlignment { General, Left, Centre, Right };
enum class VerticalAlignment { Bottom, Centre, Top };

// Defaults are the spreadsheet's standard font.
struct CellFont {
    std::string name = "Calibri";
    double size = 11;
    bool bold = false;
    bool italic = false;
    std::optional<Rgb> colour; // nullopt: automatic
    bool operator==(const CellFont &) const = default;
};

struct CellFormat {
    CellFont font;
    std::optional<Rgb> fill;
    std::array<Border, 4> borders{}; // indexed by Edge
    HorizontalAlignment horizontal = HorizontalAlignment::General;
    VerticalAlignment vertical = VerticalAlignment::Bottom;
    bool wrap = false;
    int rotation = 0;         // degrees, -90..90
    std::string numberFormat; // "" general

    Border &border(Edge edge) { return borders[static_cast<int>(edge)]; }
    const Border &border(Edge edge) const { return borders[static_cast<int>(edge)]; }
    bool operator==(const CellFormat &) const = default;
};

} // namespace quiz
