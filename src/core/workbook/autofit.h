#pragma once

#include "core/workbook/workbook.h"

#include <string_view>

namespace quiz
{

// The spreadsheet's AutoFit, approximated without measuring fonts: a column
// is made as wide as its longest shown line, counting characters (UTF-8 code
// points) of the standard font's digit width, scaled by font size (size / 11)
// and by 1.1 for bold, plus a margin of 0.71 characters (the 5-pixel cell
// padding at 7 pixels a character). Text turned by 45 degrees or more needs
// only its line height (1.5 characters at size 11). Wrapped text counts its
// longest line between line feeds (so does any text with line feeds). A column without values gets the
// standard width back. Widths are rounded up to 1/100 and kept within 0..255.
double fittedWidth(std::string_view text, const CellFormat &format);
void autoFitColumns(Sheet &sheet, int firstColumn, int lastColumn);

} // namespace quiz
