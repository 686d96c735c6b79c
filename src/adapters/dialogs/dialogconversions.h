#pragma once

#include "ports/dialogs.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>
#include <string>

namespace quiz
{

// Colours are kept as 24-bit blue-green-red values (red in the low byte).
QColor colourFromBgr(std::uint32_t bgr);
std::uint32_t bgrFromColour(const QColor &colour);

QFont qFontFromChoice(const FontChoice &choice);
FontChoice choiceFromQFont(const QFont &font, std::uint32_t colour);

// "XLS files (*.xls)|*.xls" (description|pattern pairs) as a Qt name filter
// "XLS files (*.xls)"; a description without its pattern in brackets gains
// it. A filter without "|" ("*.quz") is passed on as it is.
QString qtNameFilter(const std::string &filter);

} // namespace quiz
