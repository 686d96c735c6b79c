#include "core/workbook/celladdress.h"
#include "core/workbook/colour.h"

#include <gtest/gtest.h>

namespace quiz {
namespace {

TEST(ColumnNames, LettersAndNumbersBothWays)
{
    const std::vector<std::pair<std::string, int>> cases = {
        {"A", 1}, {"Z", 26}, {"AA", 27}, {"AB", 28}, {"AZ", 52}, {"BA", 53}, {"ZZ", 702}, {"AAA", 703}, {"XFD", 16384}};
    for (const auto &[letters, number] : cases) {
        EXPECT_EQ(columnNumber(letters), number) << letters;
        EXPECT_EQ(columnLetters(number), letters) << number;
    }
    EXPECT_EQ(columnNumber("ab"), 28);
    for (const std::string bad : {"", "A1", "XFE", "AAAA", "-"})
        EXPECT_EQ(columnNumber(bad), 0) << bad;
    EXPECT_EQ(columnLetters(0), "");
    EXPECT_EQ(columnLetters(16385), "");
}

TEST(CellAddress, ParsedToRowAndColumn)
{
    EXPECT_EQ(parseCellAddress("A1"), (CellRef{1, 1}));
    EXPECT_EQ(parseCellAddress("a1"), (CellRef{1, 1}));
    EXPECT_EQ(parseCellAddress("AB12"), (CellRef{12, 28}));
    EXPECT_EQ(parseCellAddress("$C$3"), (CellRef{3, 3}));
    EXPECT_EQ(parseCellAddress("XFD1048576"), (CellRef{1048576, 16384}));
    for (const std::string bad : {"", "A", "1", "A0", "A01", "1A", "A1B", "A1048577", "A 1"})
        EXPECT_FALSE(parseCellAddress(bad)) << bad;
}

TEST(CellRange, CornersWholeColumnsAndWholeRows)
{
    EXPECT_EQ(parseRange("A1:C3"), (CellRange{1, 1, 3, 3}));
    EXPECT_EQ(parseRange("C3:A1"), (CellRange{1, 1, 3, 3}));
    EXPECT_EQ(parseRange("B4"), (CellRange{4, 2, 4, 2}));
    EXPECT_EQ(parseRange("A:Z"), (CellRange{1, 1, maxRow, 26}));
    EXPECT_EQ(parseRange("b:AD"), (CellRange{1, 2, maxRow, 30}));
    EXPECT_EQ(parseRange("1:1"), (CellRange{1, 1, 1, maxColumn}));
    for (const std::string bad : {"", ":", "A1:", "A:1", "A1:B", "1:A", "A1:B2:C3"})
        EXPECT_FALSE(parseRange(bad)) << bad;
}

TEST(Palette, TheIndicesTheWorkbooksUse)
{
    EXPECT_EQ(paletteColour(15), 0xC0C0C0u);
    EXPECT_EQ(paletteColour(33), 0x00CCFFu);
    EXPECT_EQ(paletteColour(49), 0x33CCCCu);
    EXPECT_EQ(paletteColour(50), 0x99CC00u);
    EXPECT_FALSE(paletteColour(0));
    EXPECT_FALSE(paletteColour(57));
    EXPECT_EQ(rgbFromBgr(0x0000FF), 0xFF0000u);    // red kept in blue-green-red order
    EXPECT_EQ(rgbFromBgr(0x00FF00), 0x00FF00u);    // green is green either way
    EXPECT_EQ(rgbFromBgr(0x123456), 0x563412u);
}

} // namespace
} // namespace quiz
