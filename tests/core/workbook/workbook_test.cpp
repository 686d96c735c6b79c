#include "core/workbook/autofit.h"
#include "core/workbook/workbook.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

const Border medium{BorderStyle::Continuous, BorderWeight::Medium, std::nullopt};
const Border none{};

Border edge(const Sheet &sheet, int row, int column, Edge e)
{
    const Cell *c = sheet.cell(row, column);
    return c ? c->format.border(e) : Border{};
}

TEST(Sheet, BorderAroundSetsOnlyTheOuterEdgesOfTheBlock)
{
    Sheet sheet("s");
    sheet.setBorderAround(*parseRange("B2:D4"), BorderStyle::Continuous, BorderWeight::Medium);
    for (int r = 2; r <= 4; ++r) {
        for (int c = 2; c <= 4; ++c) {
            EXPECT_EQ(edge(sheet, r, c, Edge::Left), c == 2 ? medium : none) << r << "," << c;
            EXPECT_EQ(edge(sheet, r, c, Edge::Right), c == 4 ? medium : none) << r << "," << c;
            EXPECT_EQ(edge(sheet, r, c, Edge::Top), r == 2 ? medium : none) << r << "," << c;
            EXPECT_EQ(edge(sheet, r, c, Edge::Bottom), r == 4 ? medium : none) << r << "," << c;
        }
    }
    EXPECT_EQ(sheet.cell(1, 1), nullptr);
    EXPECT_EQ(sheet.cell(5, 3), nullptr);
    EXPECT_EQ(sheet.cell(3, 3), nullptr); // the centre is on no edge
    EXPECT_EQ(sheet.cells().size(), 8u);

    sheet.setBorderAround(CellRange::cell(3, 30), BorderStyle::Dot, BorderWeight::Thin, 0xE0E0E0);
    const Border dot{BorderStyle::Dot, BorderWeight::Thin, 0xE0E0E0}; // one cell gets all four edges
    for (Edge e : {Edge::Left, Edge::Top, Edge::Right, Edge::Bottom})
        EXPECT_EQ(edge(sheet, 3, 30, e), dot);
}

TEST(Sheet, RangeEdgeAndLaterFormatsLayerOnEachOther)
{
    Sheet sheet("s");
    sheet.setText(4, 4, "x");
    sheet.setInterior(*parseRange("D4:E5"), 0xC0C0C0);
    sheet.setRangeEdge(*parseRange("D4:E4"), Edge::Bottom, BorderStyle::Dot, BorderWeight::Thin);
    sheet.setFontBold(*parseRange("E4"));
    sheet.setFontColour(*parseRange("E4"), 0x99CC00);
    sheet.setRotation(*parseRange("D4:E4"), 90);
    sheet.setHorizontalAlignment(*parseRange("D4:E5"), HorizontalAlignment::Centre);
    sheet.setWrap(*parseRange("D5"));

    const CellFormat &d4 = sheet.cell(4, 4)->format;
    EXPECT_EQ(d4.fill, 0xC0C0C0u);
    EXPECT_EQ(d4.border(Edge::Bottom).style, BorderStyle::Dot);
    EXPECT_EQ(d4.rotation, 90);
    EXPECT_FALSE(d4.font.bold);
    EXPECT_EQ(sheet.displayText(4, 4), "x"); // formats leave values alone
    const CellFormat &e4 = sheet.cell(4, 5)->format;
    EXPECT_TRUE(e4.font.bold);
    EXPECT_EQ(e4.font.colour, 0x99CC00u);
    EXPECT_EQ(e4.border(Edge::Bottom).style, BorderStyle::Dot);
    const CellFormat &d5 = sheet.cell(5, 4)->format;
    EXPECT_EQ(d5.border(Edge::Bottom).style, BorderStyle::None);
    EXPECT_TRUE(d5.wrap);
    EXPECT_EQ(d5.horizontal, HorizontalAlignment::Centre);
    EXPECT_EQ(d5.rotation, 0);
}

TEST(Sheet, WholeColumnRangesStopAtTheUsedRows)
{
    Sheet sheet("s");
    sheet.setText(3, 1, "a");
    sheet.setText(2, 40, "far");
    sheet.setInterior(*parseRange("A:B"), 0x33CCCC);
    EXPECT_EQ(sheet.cells().size(), 2u + 5u); // rows 1..3 of A and B, plus the far cell
    EXPECT_NE(sheet.cell(3, 2), nullptr);
    EXPECT_EQ(sheet.cell(4, 1), nullptr);
    sheet.setFontBold(*parseRange("1:1"));
    EXPECT_TRUE(sheet.cell(1, 40)->format.font.bold);
    EXPECT_EQ(sheet.cell(1, 41), nullptr);
}

TEST(Sheet, ValuesSizesAndSelection)
{
    Sheet sheet("Results");
    sheet.setNumber(2, 3, 2.5);
    sheet.setNumber(2, 4, 7);
    sheet.setText(2, 28, "AB2");
    EXPECT_EQ(sheet.displayText(2, 3), "2.5");
    EXPECT_EQ(sheet.displayText(2, 4), "7");
    EXPECT_EQ(sheet.displayText(2, 28), "AB2");
    EXPECT_EQ(sheet.displayText(9, 9), "");
    EXPECT_EQ(sheet.usedExtent(), (CellRef{2, 28}));
    sheet.clearValue(2, 28);
    EXPECT_EQ(sheet.usedExtent(), (CellRef{2, 4}));

    EXPECT_DOUBLE_EQ(sheet.columnWidth(1), Sheet::standardColumnWidth);
    sheet.setColumnWidth(1, 3, 8.86);
    sheet.setColumnWidth(4, 400);
    EXPECT_DOUBLE_EQ(sheet.columnWidth(2), 8.86);
    EXPECT_DOUBLE_EQ(sheet.columnWidth(4), 255);
    sheet.setRowHeight(3, 80.25);
    EXPECT_DOUBLE_EQ(sheet.rowHeight(3), 80.25);
    EXPECT_DOUBLE_EQ(sheet.rowHeight(4), Sheet::standardRowHeight);
    sheet.select(1, 1);
    EXPECT_EQ(sheet.selected(), (CellRef{1, 1}));
    sheet.setNumber(9, 9, -0.0);
    EXPECT_EQ(sheet.displayText(9, 9), "0");
}

TEST(Workbook, SheetsKeepOrderAndReferences)
{
    Workbook book;
    Sheet &first = book.addSheet("Individual Results");
    book.addSheet("Results by Question");
    book.addSheet("Results with Text");
    first.setText(1, 1, "still here");
    EXPECT_EQ(book.sheet(0).displayText(1, 1), "still here");
    EXPECT_EQ(book.sheet(2).name(), "Results with Text");
    EXPECT_EQ(book.activeSheet(), 0u);
}

TEST(AutoFit, WidthFollowsTheLongestShownLine)
{
    CellFormat plain;
    EXPECT_DOUBLE_EQ(fittedWidth("Keypad", plain), 6.71);
    EXPECT_DOUBLE_EQ(fittedWidth("Zo\xC3\xAB", plain), 3.71); // characters, not bytes
    EXPECT_DOUBLE_EQ(fittedWidth("Raw\nScore", plain), 5.71);
    EXPECT_DOUBLE_EQ(fittedWidth("", plain), 0);
    CellFormat bold = plain;
    bold.font.bold = true;
    EXPECT_DOUBLE_EQ(fittedWidth("Keypad", bold), 7.31);
    CellFormat big = plain;
    big.font.size = 22;
    EXPECT_DOUBLE_EQ(fittedWidth("Keypad", big), 12.71);
    CellFormat turned = plain;
    turned.rotation = 90;
    EXPECT_DOUBLE_EQ(fittedWidth("A very long heading", turned), 2.21);
    EXPECT_DOUBLE_EQ(fittedWidth(std::string(400, 'x'), plain), 255);
}

TEST(AutoFit, ColumnsTakeTheirWidestCellAndEmptyOnesTheStandardWidth)
{
    Sheet sheet("s");
    sheet.setText(1, 1, "Keypad");
    sheet.setText(2, 1, "12");
    sheet.setText(1, 2, "Name");
    sheet.setText(2, 2, "Annabel Smith");
    sheet.setNumber(3, 2, 1234.5);
    sheet.setColumnWidth(5, 40);
    sheet.setInterior(CellRange::cell(1, 6), 0xC0C0C0); // formatted but empty
    sheet.setText(1, 27, "outside the fitted columns");
    autoFitColumns(sheet, 1, 26);
    EXPECT_DOUBLE_EQ(sheet.columnWidth(1), 6.71);
    EXPECT_DOUBLE_EQ(sheet.columnWidth(2), 13.71);
    EXPECT_FALSE(sheet.columnWidths().count(5));
    EXPECT_FALSE(sheet.columnWidths().count(6));
    EXPECT_FALSE(sheet.columnWidths().count(27));
}

} // namespace
} // namespace quiz
