#include "adapters/xlsx/xlsxworkbookwriter.h"
#include "core/workbook/workbook.h"
#include "support/testfolder.h"
#include "support/xlsxreadback.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace quiz
{
namespace
{

// The file keeps a column's width with its cell padding (5 pixels at 7 pixels
// a character); the spreadsheet shows the width without it.
double shownWidth(const std::string &stored)
{
    return (std::stod(stored) * 7 - 5) / 7;
}

TEST(XlsxWorkbookWriter, CellsFormatsSizesAndSheetsSurviveTheRoundTrip)
{
    Workbook book;
    Sheet &first = book.addSheet("Individual Results");
    first.setText(1, 1, "Keypad / Name");
    first.setText(1, 2, "Raw \nScore");
    first.setNumber(2, 2, 2.5);
    first.setNumber(2, 3, 0);
    first.setText(3, 28, "AB3"); // beyond Z
    first.setText(4, 1, "Zo\xC3\xAB");
    const CellRange head{1, 1, 1, 3};
    first.setInterior(head, *paletteColour(49));
    first.setFontColour(head, rgbWhite);
    first.setFontBold(head);
    first.setBorderAround(head, BorderStyle::Continuous, BorderWeight::Medium);
    first.setHorizontalAlignment(head, HorizontalAlignment::Centre);
    first.setVerticalAlignment(head, VerticalAlignment::Centre);
    first.setWrap(CellRange::cell(1, 2));
    first.setRotation(CellRange::cell(1, 3), 90);
    first.setFontSize(CellRange::cell(1, 3), 8);
    first.setRangeEdge(CellRange{2, 2, 2, 3}, Edge::Bottom, BorderStyle::Dot, BorderWeight::Thin);
    first.setBorderAround(CellRange::cell(4, 1), BorderStyle::Dot, BorderWeight::Thin, 0xE0E0E0);
    first.setFontColour(CellRange::cell(4, 1), rgbBlack);
    first.setInterior(CellRange::cell(5, 5), *paletteColour(15)); // formatted, no value
    first.setColumnWidth(1, 3, 8.86);
    first.setRowHeight(3, 80.25);
    first.select(2, 2);
    Sheet &second = book.addSheet("Results by Question");
    second.setText(1, 1, "Q1");
    book.setActiveSheet(1);

    test::TestFolder folder;
    const std::string path = folder.str() + "/2024-03-05 14-07-09 - Quiz Results.xls";
    ASSERT_EQ(XlsxWorkbookWriter().write(book, path), "");
    const auto read = test::readXlsx(path);
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(read.sheets.size(), 2u);
    EXPECT_EQ(read.activeSheet, 1);
    EXPECT_EQ(read.sheets[0].name, "Individual Results");
    EXPECT_EQ(read.sheets[1].name, "Results by Question");

    const auto &s = read.sheets[0];
    EXPECT_EQ(s.selected, "B2");
    const auto &a1 = s.cells.at("A1");
    EXPECT_EQ(a1.kind, "s");
    EXPECT_EQ(a1.value, "Keypad / Name");
    EXPECT_EQ(a1.bold, "1");
    EXPECT_EQ(a1.fontColour, "FFFFFF");
    EXPECT_EQ(a1.fill, "33CCCC");
    EXPECT_EQ(a1.left, "medium/-");
    EXPECT_EQ(a1.top, "medium/-");
    EXPECT_EQ(a1.right, "none/-");
    EXPECT_EQ(a1.bottom, "medium/-");
    EXPECT_EQ(a1.horizontal, "center");
    EXPECT_EQ(a1.vertical, "center");
    EXPECT_EQ(s.cells.at("B1").value, "Raw \nScore");
    EXPECT_EQ(s.cells.at("B1").wrap, "1");
    EXPECT_EQ(s.cells.at("C1").rotation, "90");
    EXPECT_EQ(s.cells.at("C1").fontSize, "8");
    EXPECT_EQ(s.cells.at("C1").right, "medium/-");
    EXPECT_EQ(s.cells.at("B2").kind, "n");
    EXPECT_EQ(s.cells.at("B2").value, "2.5");
    EXPECT_EQ(s.cells.at("B2").bottom, "dotted/-");
    EXPECT_EQ(s.cells.at("C2").value, "0");
    EXPECT_EQ(s.cells.at("AB3").value, "AB3");
    EXPECT_EQ(s.cells.at("A4").value, "Zo\xC3\xAB");
    EXPECT_EQ(s.cells.at("A4").left, "dotted/E0E0E0");
    EXPECT_EQ(s.cells.at("A4").fontColour, "000000");
    EXPECT_EQ(s.cells.at("E5").kind, "blank");
    EXPECT_EQ(s.cells.at("E5").fill, "C0C0C0");
    EXPECT_NEAR(shownWidth(s.columnWidths.at(1)), 8.86, 0.005);
    EXPECT_NEAR(shownWidth(s.columnWidths.at(3)), 8.86, 0.005);
    EXPECT_FALSE(s.columnWidths.count(4));
    EXPECT_EQ(s.rowHeights.at(3), "80.25");
    EXPECT_EQ(read.sheets[1].cells.at("A1").value, "Q1");
}

// The participant list's read-back is in the PARTSETUP tests (ui/results).

TEST(XlsxWorkbookWriter, ReplacesAnExistingFileWholeAndAFailureLeavesItAlone)
{
    test::TestFolder folder;
    const auto path = folder.write("list.xls", "old content").string();

    Workbook badName;
    badName.addSheet("a/b").setText(1, 1, "x");
    EXPECT_NE(XlsxWorkbookWriter().write(badName, path), "");
    EXPECT_EQ(folder.read("list.xls"), "old content");
    EXPECT_NE(XlsxWorkbookWriter().write(Workbook{}, path), "");
    EXPECT_EQ(folder.read("list.xls"), "old content");

    Workbook fine;
    fine.addSheet("Sheet1").setText(1, 1, "new");
    EXPECT_NE(XlsxWorkbookWriter().write(fine, folder.str() + "/no such folder/list.xls"), "");
    ASSERT_EQ(XlsxWorkbookWriter().write(fine, path), "");
    const auto read = test::readXlsx(path);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.sheets.at(0).cells.at("A1").value, "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1)
        << "nothing left beside it";
}

} // namespace
} // namespace quiz
