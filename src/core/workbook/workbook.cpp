#include "core/workbook/workbook.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace quiz
{

void Sheet::setText(int row, int column, std::string text)
{
    cellAt(row, column).value = std::move(text);
}

void Sheet::setNumber(int row, int column, double number)
{
    cellAt(row, column).value = number;
}

void Sheet::clearValue(int row, int column)
{
    if (auto it = cells_.find({row, column}); it != cells_.end())
        it->second.value = std::monostate{};
}

const Cell *Sheet::cell(int row, int column) const
{
    const auto it = cells_.find({row, column});
    return it == cells_.end() ? nullptr : &it->second;
}

Cell &Sheet::cellAt(int row, int column)
{
    return cells_[{row, column}];
}

std::string Sheet::displayText(int row, int column) const
{
    const Cell *c = cell(row, column);
    if (!c)
        return {};
    if (const auto *text = std::get_if<std::string>(&c->value))
        return *text;
    if (const auto *number = std::get_if<double>(&c->value))
        return numberText(*number);
    return {};
}

CellRef Sheet::usedExtent() const
{
    CellRef extent{0, 0};
    for (const auto &[key, c] : cells_) {
        if (std::holds_alternative<std::monostate>(c.value))
            continue;
        extent.row = std::max(extent.row, key.first);
        extent.column = std::max(extent.column, key.second);
    }
    return extent;
}

CellRange Sheet::clip(const CellRange &range) const
{
    CellRange r = range;
    const CellRef used = usedExtent();
    if (r.lastRow == maxRow)
        r.lastRow = std::max(r.firstRow, used.row);
    if (r.lastColumn == maxColumn)
        r.lastColumn = std::max(r.firstColumn, used.column);
    return r;
}

void Sheet::formatRange(const CellRange &range, const std::function<void(CellFormat &)> &change)
{
    const CellRange r = clip(range);
    for (int row = r.firstRow; row <= r.lastRow; ++row)
        for (int column = r.firstColumn; column <= r.lastColumn; ++column)
            change(cellAt(row, column).format);
}

void Sheet::setRangeEdge(const CellRange &range, Edge edge, BorderStyle style, BorderWeight weight,
                         std::optional<Rgb> colour)
{
    const CellRange r = clip(range);
    CellRange line = r;
    switch (edge) {
    case Edge::Left:
        line.lastColumn = r.firstColumn;
        break;
    case Edge::Right:
        line.firstColumn = r.lastColumn;
        break;
    case Edge::Top:
        line.lastRow = r.firstRow;
        break;
    case Edge::Bottom:
        line.firstRow = r.lastRow;
        break;
    }
    const Border border{style, weight, colour};
    formatRange(line, [&](CellFormat &f) { f.border(edge) = border; });
}

void Sheet::setBorderAround(const CellRange &range, BorderStyle style, BorderWeight weight,
                            std::optional<Rgb> colour)
{
    for (Edge edge : {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom})
        setRangeEdge(range, edge, style, weight, colour);
}

void Sheet::setInterior(const CellRange &range, Rgb colour)
{
    formatRange(range, [&](CellFormat &f) { f.fill = colour; });
}

void Sheet::setFontBold(const CellRange &range, bool bold)
{
    formatRange(range, [&](CellFormat &f) { f.font.bold = bold; });
}

void Sheet::setFontColour(const CellRange &range, Rgb colour)
{
    formatRange(range, [&](CellFormat &f) { f.font.colour = colour; });
}

void Sheet::setFontSize(const CellRange &range, double size)
{
    formatRange(range, [&](CellFormat &f) { f.font.size = size; });
}

void Sheet::setFontName(const CellRange &range, const std::string &name)
{
    formatRange(range, [&](CellFormat &f) { f.font.name = name; });
}

void Sheet::setHorizontalAlignment(const CellRange &range, HorizontalAlignment alignment)
{
    formatRange(range, [&](CellFormat &f) { f.horizontal = alignment; });
}

void Sheet::setVerticalAlignment(const CellRange &range, VerticalAlignment alignment)
{
    formatRange(range, [&](CellFormat &f) { f.vertical = alignment; });
}

void Sheet::setWrap(const CellRange &range, bool wrap)
{
    formatRange(range, [&](CellFormat &f) { f.wrap = wrap; });
}

void Sheet::setRotation(const CellRange &range, int degrees)
{
    formatRange(range, [&](CellFormat &f) { f.rotation = std::clamp(degrees, -90, 90); });
}

void Sheet::setColumnWidth(int column, double width)
{
    columnWidths_[column] = std::clamp(width, 0.0, 255.0);
}

void Sheet::setColumnWidth(int firstColumn, int lastColumn, double width)
{
    for (int c = firstColumn; c <= lastColumn; ++c)
        setColumnWidth(c, width);
}

void Sheet::resetColumnWidth(int column)
{
    columnWidths_.erase(column);
}

double Sheet::columnWidth(int column) const
{
    const auto it = columnWidths_.find(column);
    return it == columnWidths_.end() ? standardColumnWidth : it->second;
}

void Sheet::setRowHeight(int row, double height)
{
    rowHeights_[row] = std::clamp(height, 0.0, 409.0);
}

double Sheet::rowHeight(int row) const
{
    const auto it = rowHeights_.find(row);
    return it == rowHeights_.end() ? standardRowHeight : it->second;
}

Sheet &Workbook::addSheet(const std::string &name)
{
    return sheets_.emplace_back(name);
}

std::string numberText(double number)
{
    if (std::isnan(number) || std::isinf(number))
        return "#NUM!";
    if (number == 0)
        return "0";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, result.ptr);
}

} // namespace quiz
