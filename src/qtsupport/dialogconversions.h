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

// The extension a save dialog gives a name typed without one, as the common
// dialog's default extension does: the filter's first pattern when it is
// "*.EXT" ("xls" for "...|*.xls"); "" when it is "*.*" or there is none.
std::string defaultSuffixOfFilter(const std::string &filter);
// The chosen name with ".SUFFIX" added when its file name has no extension.
std::string withDefaultSuffix(const std::string &name, const std::string &suffix);

} // namespace quiz
