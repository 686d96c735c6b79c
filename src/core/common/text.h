#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quiz
{

std::string toUpper(std::string_view text); // ASCII letters only
std::string toLower(std::string_view text);
std::string trim(std::string_view text); // blanks and tabs at both ends
bool iequals(std::string_view a, std::string_view b);
bool contains(std::string_view text, std::string_view part);
bool endsWith(std::string_view text, std::string_view tail);
std::string replaceAll(std::string text, std::string_view from, std::string_view to);
// Splits at every occurrence of the separator; "" gives one empty piece.
std::vector<std::string> split(std::string_view text, std::string_view separator);
// The value whose key equals name ignoring (ASCII) case, as the presentation
// program's tags are named; nullptr when there is none.
const std::string *findIgnoringCase(const std::map<std::string, std::string> &values, std::string_view name);

// The number a text starts with, read the way the system's files expect:
// leading blanks skipped, an optional sign, digits, one decimal point and an
// exponent; reading stops at the first other character. No number gives 0.
double leadingNumber(std::string_view text);
// leadingNumber rounded half to even and clamped to the range of int.
int leadingInt(std::string_view text);

} // namespace quiz
