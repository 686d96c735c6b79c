#pragma once

#include <string>
#include <string_view>

namespace quiz
{

// Appends text escaped for XML element content or an attribute value. A
// control character the file cannot hold is written as the spreadsheet's
// _xHHHH_ escape; an underscore that would start such an escape is escaped
// itself, so every text reads back as it was.
void appendXmlText(std::string &out, std::string_view text);
// Appends a number as its shortest text that reads back as the same value.
void appendNumber(std::string &out, double value);
// Appends a whole number.
void appendNumber(std::string &out, long long value);

} // namespace quiz
