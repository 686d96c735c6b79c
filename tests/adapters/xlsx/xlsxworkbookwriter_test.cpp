#include "adapters/xlsx/xlsxworkbookwriter.h"
#include "core/workbook/workbook.h"
#include "support/rows.h"
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
    const auto names = test::loadRows("xlsx/names.rows");
    for (size_t i = 0; i < names.size(); ++i)
        first.setText(static_cast<int>(6 + i), 1, names[i][0]);
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
    for (const test::Row &r : test::loadRows("xlsx/roundtrip.rows")) {
        ASSERT_TRUE(s.cells.count(r.name)) << r.name;
        EXPECT_EQ(test::cellField(s.cells.at(r.name), r[0]), r[1]) << r.name << " " << r[0];
    }
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(s.cells.at("A" + std::to_string(6 + i)).value, names[i][0]) << names[i].name;
    EXPECT_NEAR(shownWidth(s.columnWidths.at(1)), 8.86, 0.005);
    EXPECT_NEAR(shownWidth(s.columnWidths.at(3)), 8.86, 0.005);
    EXPECT_FALSE(s.columnWidths.count(4));
    EXPECT_EQ(s.rowHeights.at(3), "80.25");
    EXPECT_EQ(read.sheets[1].cells.at("A1").value, "Q1");
}

TEST(XlsxWorkbookWriter, ReplacesAnExistingFileWholeAndAFailureLeavesItAlone)
{
    test::TestFolder folder;
    const auto path = folder.write("list.xls", "old content").string();

    Workbook badName;
    badName.addSheet("a/b").setText(1, 1, "x");
    EXPECT_NE(XlsxWorkbookWriter().write(badName, path), "");
    std::string emoji; // 16 of them: 32 characters to the spreadsheet
    for (int i = 0; i < 16; ++i)
        emoji += "\xF0\x9F\x98\x80";
    Workbook longName;
    longName.addSheet(emoji).setText(1, 1, "x");
    EXPECT_EQ(XlsxWorkbookWriter().write(longName, path),
              "sheet name \"" + emoji + "\": a sheet name has at most 31 characters");
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
