#include "core/workbook/autofit.h"
#include "core/workbook/workbook.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// A frame sets only the outer edges of its block, a range edge only its own line;
// formats layer on each other (that they leave values alone: the xlsx round trip).
TEST(Sheet, FramesEdgesAndFormatsLayeredOnABlock)
{
    Sheet sheet("s");
    sheet.setInterior(*parseRange("B2:D4"), 0xC0C0C0);
    sheet.setBorderAround(*parseRange("B2:D4"), BorderStyle::Continuous, BorderWeight::Medium);
    sheet.setRangeEdge(*parseRange("B3:D3"), Edge::Bottom, BorderStyle::Dot, BorderWeight::Thin, 0xE0E0E0);
    sheet.setFontBold(CellRange::cell(3, 3));
    sheet.setFontColour(CellRange::cell(3, 3), 0x99CC00);
    sheet.setHorizontalAlignment(CellRange::cell(3, 3), HorizontalAlignment::Centre);
    sheet.setWrap(CellRange::cell(3, 3));
    sheet.setRotation(CellRange::cell(3, 3), 90);
    std::string edges; // left, top, right, bottom of B2..D4 by rows: "m" medium, "." dotted, "-" none
    for (int row = 2; row <= 4; ++row)
        for (int column = 2; column <= 4; ++column) {
            for (const Border &b : sheet.cell(row, column)->format.borders)
                edges += b.style == BorderStyle::None ? '-' : b.weight == BorderWeight::Medium ? 'm' : '.';
            edges += ' ';
        }
    EXPECT_EQ(edges, "mm-- -m-- -mm- m--. ---. --m. m--m ---m --mm ");
    EXPECT_EQ(sheet.cell(3, 3)->format,
              (CellFormat{
                  .font = {.bold = true, .colour = 0x99CC00},
                  .fill = 0xC0C0C0,
                  .borders = {Border{}, Border{}, Border{}, {BorderStyle::Dot, BorderWeight::Thin, 0xE0E0E0}},
                  .horizontal = HorizontalAlignment::Centre,
                  .wrap = true,
                  .rotation = 90,
                  .numberFormat = ""}));
}

TEST(Sheet, FormatsOfWholeColumnsAndRowsStopAtTheUsedCells)
{
    Sheet columns("c");
    columns.setText(3, 1, "a");
    columns.setText(2, 40, "far");
    columns.setInterior(*parseRange("A:B"), 0x33CCCC);
    EXPECT_EQ(columns.cells().size(), 2u + 5u); // rows 1..3 of A and B, plus the far cell
    EXPECT_EQ(columns.cell(4, 1), nullptr);
    columns.setFontBold(*parseRange("1:1"));
    EXPECT_TRUE(columns.cell(1, 40)->format.font.bold);
    EXPECT_EQ(columns.cell(1, 41), nullptr);
}

// Sizes are clamped to 255; values keep the extent; -0 shows as 0.
TEST(Sheet, ValuesSizesAndTheUsedExtent)
{
    Workbook book;
    Sheet &sheet = book.addSheet("Individual Results");
    sheet.setNumber(2, 3, 2.5);
    sheet.setText(2, 28, "AB2");
    EXPECT_EQ(book.sheet(0).displayText(2, 3) + book.sheet(0).displayText(9, 9), "2.5");
    EXPECT_EQ(sheet.usedExtent(), (CellRef{2, 28}));
    sheet.clearValue(2, 28);
    EXPECT_EQ(sheet.usedExtent(), (CellRef{2, 3}));
    sheet.setColumnWidth(1, 3, 8.86);
    sheet.setColumnWidth(4, 400);
    EXPECT_EQ(std::make_tuple(sheet.columnWidth(2), sheet.columnWidth(4), sheet.columnWidth(5)),
              std::make_tuple(8.86, 255.0, Sheet::standardColumnWidth));
    sheet.setRowHeight(3, 80.25);
    EXPECT_EQ(std::make_pair(sheet.rowHeight(3), sheet.rowHeight(4)),
              std::make_pair(80.25, Sheet::standardRowHeight));
    sheet.setNumber(9, 9, -0.0);
    EXPECT_EQ(sheet.displayText(9, 9), "0");
}

using FittedWidth = test::RowTest;

TEST_P(FittedWidth, FollowsTheLongestShownLine)
{
    CellFormat format;
    format.font.bold = GetParam()[1] == "bold";
    format.font.size = GetParam()[1] == "big" ? 22 : format.font.size;
    format.rotation = GetParam()[1] == "turned" ? 90 : 0;
    EXPECT_DOUBLE_EQ(fittedWidth(GetParam()[0], format), GetParam().real(2));
}
QUIZ_ROWS(FittedWidth, "workbook/fittedwidth.rows");

TEST(AutoFit, ColumnsTakeTheirWidestCell)
{
    Sheet sheet("s");
    sheet.setText(1, 1, "Keypad");
    sheet.setText(2, 2, "Annabel Smith");
    sheet.setNumber(3, 2, 1234.5);
    sheet.setColumnWidth(5, 40);
    sheet.setInterior(CellRange::cell(1, 6), 0xC0C0C0); // formatted but empty
    sheet.setText(1, 27, "outside the fitted columns");
    autoFitColumns(sheet, 1, 26);
    EXPECT_DOUBLE_EQ(sheet.columnWidth(1), 6.71);
    EXPECT_DOUBLE_EQ(sheet.columnWidth(2), 13.71);
    for (int column : {5, 6, 27})
        EXPECT_FALSE(sheet.columnWidths().count(column)) << column;
}

} // namespace
} // namespace quiz
