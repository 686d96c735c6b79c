#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quiz
{

// Rows and columns are numbered from 1; column 27 is "AA".
struct CellRef {
    int row = 1;
    int column = 1;
    bool operator==(const CellRef &) const = default;
};

// A block of cells, corners included.
struct CellRange {
    int firstRow = 1;
    int firstColumn = 1;
    int lastRow = 1;
    int lastColumn = 1;
    bool operator==(const CellRange &) const = default;

    static CellRange cell(int row, int column) { return {row, column, row, column}; }
    bool contains(int row, int column) const
    {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
};

// The largest row and column a sheet can address.
inline constexpr int maxRow = 1048576;
inline constexpr int maxColumn = 16384;

// "A" -> 1, "z" -> 26, "AB" -> 28; 0 for text that is not a column name in range.
int columnNumber(std::string_view letters);
// 1 -> "A", 28 -> "AB"; "" outside 1..maxColumn.
std::string columnLetters(int column);
// "A1", "ab12", "$C$3" -> row and column; nullopt for anything else.
std::optional<CellRef> parseCellAddress(std::string_view address);
// "A1", "A1:C3" (corners in any order), whole columns "A:Z" and whole rows
// "3:5"; nullopt for anything else.
std::optional<CellRange> parseRange(std::string_view address);

} // namespace quiz
