#include "core/workbook/autofit.h"

#include "core/common/text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>

namespace quiz
{

namespace
{

constexpr double margin = 0.71;

std::size_t codePoints(std::string_view text)
{
    std::size_t count = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

double fittedWidth(std::string_view text, const CellFormat &format)
{
    if (text.empty())
        return 0;
    const double scale =
        (format.font.size > 0 ? format.font.size : 11) / 11.0 * (format.font.bold ? 1.1 : 1.0);
    double characters = 0;
    if (std::abs(format.rotation) >= 45) {
        characters = 1.5;
    } else {
        std::size_t longest = 0;
        for (const auto &line : split(text, "\n"))
            longest = std::max(longest, codePoints(line));
        characters = static_cast<double>(longest);
    }
    const double width = std::ceil((characters * scale + margin) * 100.0 - 1e-9) / 100.0;
    return std::min(width, 255.0);
}

void autoFitColumns(Sheet &sheet, int firstColumn, int lastColumn)
{
    std::map<int, double> widths;
    for (const auto &[key, cell] : sheet.cells()) {
        const int column = key.second;
        if (column < firstColumn || column > lastColumn)
            continue;
        const std::string shown = sheet.displayText(key.first, column);
        if (shown.empty())
            continue;
        widths[column] = std::max(widths[column], fittedWidth(shown, cell.format));
    }
    for (int column = firstColumn; column <= lastColumn; ++column) {
        if (const auto it = widths.find(column); it != widths.end())
            sheet.setColumnWidth(column, it->second);
        else
            sheet.resetColumnWidth(column);
    }
}

} // namespace quiz
