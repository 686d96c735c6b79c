#include "core/workbook/celladdress.h"

#include <algorithm>
#include <cctype>

namespace quiz
{

namespace
{

void skipDollar(std::string_view text, std::size_t &pos)
{
    if (pos < text.size() && text[pos] == '$')
        ++pos;
}

// Reads letters then digits from text at pos; either part may be empty.
void readParts(std::string_view text, std::size_t &pos, std::string_view &letters, std::string_view &digits)
{
    skipDollar(text, pos);
    const std::size_t l0 = pos;
    while (pos < text.size() && std::isalpha(static_cast<unsigned char>(text[pos])))
        ++pos;
    letters = text.substr(l0, pos - l0);
    skipDollar(text, pos);
    const std::size_t d0 = pos;
    while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])))
        ++pos;
    digits = text.substr(d0, pos - d0);
}

int rowNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 7 || digits[0] == '0')
        return 0;
    int row = 0;
    for (char c : digits)
        row = row * 10 + (c - '0');
    return row <= maxRow ? row : 0;
}

} // namespace

int columnNumber(std::string_view letters)
{
    if (letters.empty() || letters.size() > 3)
        return 0;
    int column = 0;
    for (char c : letters) {
        const int u = std::toupper(static_cast<unsigned char>(c));
        if (u < 'A' || u > 'Z')
            return 0;
        column = column * 26 + (u - 'A' + 1);
    }
    return column <= maxColumn ? column : 0;
}

std::string columnLetters(int column)
{
    if (column < 1 || column > maxColumn)
        return {};
    std::string letters;
    while (column > 0) {
        const int rest = (column - 1) % 26;
        letters.insert(letters.begin(), static_cast<char>('A' + rest));
        column = (column - 1) / 26;
    }
    return letters;
}

std::optional<CellRef> parseCellAddress(std::string_view address)
{
    std::size_t pos = 0;
    std::string_view letters, digits;
    readParts(address, pos, letters, digits);
    if (pos != address.size())
        return std::nullopt;
    const int column = columnNumber(letters);
    const int row = rowNumber(digits);
    if (column == 0 || row == 0)
        return std::nullopt;
    return CellRef{row, column};
}

std::optional<CellRange> parseRange(std::string_view address)
{
    const auto colon = address.find(':');
    if (colon == std::string_view::npos) {
        const auto cell = parseCellAddress(address);
        if (!cell)
            return std::nullopt;
        return CellRange::cell(cell->row, cell->column);
    }
    const auto first = address.substr(0, colon);
    const auto second = address.substr(colon + 1);
    if (const auto a = parseCellAddress(first)) {
        const auto b = parseCellAddress(second);
        if (!b)
            return std::nullopt;
        return CellRange{std::min(a->row, b->row), std::min(a->column, b->column), std::max(a->row, b->row),
                         std::max(a->column, b->column)};
    }
    std::size_t p1 = 0, p2 = 0;
    std::string_view l1, d1, l2, d2;
    readParts(first, p1, l1, d1);
    readParts(second, p2, l2, d2);
    if (p1 != first.size() || p2 != second.size())
        return std::nullopt;
    if (!l1.empty() && d1.empty() && !l2.empty() && d2.empty()) {
        const int c1 = columnNumber(l1), c2 = columnNumber(l2);
        if (c1 == 0 || c2 == 0)
            return std::nullopt;
        return CellRange{1, std::min(c1, c2), maxRow, std::max(c1, c2)};
    }
    if (l1.empty() && !d1.empty() && l2.empty() && !d2.empty()) {
        const int r1 = rowNumber(d1), r2 = rowNumber(d2);
        if (r1 == 0 || r2 == 0)
            return std::nullopt;
        return CellRange{std::min(r1, r2), 1, std::max(r1, r2), maxColumn};
    }
    return std::nullopt;
}

} // namespace quiz
