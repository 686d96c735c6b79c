#include "core/results/resultstableexport.h"
#include "core/results/resultsworkbook.h"
#include "core/workbook/autofit.h"
#include "fakes/fakedialogs.h"
#include "fakes/fakeworkbookwriter.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

ResultsGrid grid(const std::vector<std::vector<std::string>> &rows)
{
    ResultsGrid g;
    g.setRows(static_cast<int>(rows.size()));
    g.setCols(static_cast<int>(rows[0].size()));
    for (int r = 0; r < g.rows(); ++r)
        for (int c = 0; c < g.cols(); ++c)
            g.setText(r, c, rows[r][c]);
    return g;
}

Sheet collect(SheetSource &&source)
{
    return collectWorkbook({&source}).sheet(0);
}

// Fill and the four borders of a cell: "fill L T R B", a border as "-" none,
// "m" medium, "g" dotted light grey.
std::string look(const Sheet &sheet, int row, int column)
{
    const Cell *cell = sheet.cell(row, column);
    if (!cell)
        return "none";
    const CellFormat &f = cell->format;
    char fill[16] = "-";
    if (f.fill)
        std::snprintf(fill, sizeof fill, "%06X", *f.fill);
    std::string out = fill;
    out += ' ';
    for (const Border &b : f.borders)
        out += b.style == BorderStyle::None                                               ? '-'
               : b == Border{BorderStyle::Continuous, BorderWeight::Medium, std::nullopt} ? 'm'
               : b == Border{BorderStyle::Dot, BorderWeight::Thin, kRowLineColour}        ? 'g'
                                                                                          : '?';
    return out;
}

// The looks of the cells at (row, column), "|"-separated.
std::string looks(const Sheet &sheet, std::initializer_list<std::pair<int, int>> cells)
{
    std::string out;
    for (const auto &[r, c] : cells)
        out += (out.empty() ? "" : "|") + look(sheet, r, c);
    return out;
}

TEST(ResultsWorkbook, IndividualResultsBandsBordersGreenAndHeader)
{
    ResultsGrid g = grid({{"Participant Name", "Raw\r\nScore", "Weighted\r\nScore", "q1.tlx", "q2.tlx"},
                          {"Ann", "2", "1.5", "1", "3 (2)"},
                          {"Bob", "0", "0", "2", ""},
                          {"3", "1", "1", "-", "4"}});
    g.mark(1, 3, MarkGreen);
    const Sheet sheet = collect(KeypadResultsSheet(g));
    EXPECT_EQ(sheet.displayText(1, 2), "Raw \nScore");
    EXPECT_TRUE(sheet.cell(1, 2)->format.wrap);
    EXPECT_TRUE(std::holds_alternative<double>(sheet.cell(2, 2)->value));
    EXPECT_EQ(sheet.displayText(2, 5), "3 (2)");
    EXPECT_EQ(looks(sheet, {{1, 1}, {1, 5}, {2, 1}, {2, 2}, {2, 4}, {3, 4}, {3, 5}, {4, 3}, {3, 6}}),
              "- mm-m|- -mmm|C0C0C0 gg-g|C0C0C0 -g-g|00FF00 gggg|00CCFF gggg|00CCFF gggg|C0C0C0 -g-g|none");
    EXPECT_EQ(sheet.rowHeight(1), 27.75);
    EXPECT_EQ(sheet.columnWidth(1), 16);
    EXPECT_EQ(sheet.columnWidth(3), 9);
    g.setText(0, 0, "Keypad Number");
    EXPECT_EQ(collect(KeypadResultsSheet(g)).columnWidth(1), 9);
}

TEST(ResultsWorkbook, ResultsByQuestionFramesHeaderAndDataAndFitsColumnA)
{
    ResultsGrid g = grid({{"", "0", "1"}, {"q1.tlx", "4", "5"}, {"q2.tlx   [Item 1]", "0", "1"}});
    g.mark(1, 2, MarkGreen);
    const Sheet sheet = collect(QuestionResultsSheet(g));
    EXPECT_EQ(looks(sheet, {{1, 1}, {1, 2}, {1, 3}, {2, 1}, {2, 3}, {3, 3}}),
              "none|- mm-m|- -mmm|- mm--|00FF00 -mm-|- --mm");
    EXPECT_EQ(sheet.cell(1, 2)->format.vertical, VerticalAlignment::Centre);
    // "q2.tlx   [Item 1]": 17 characters at 11 points, plus the 0.71 margin.
    EXPECT_DOUBLE_EQ(sheet.columnWidth(1), 17.71);
    EXPECT_EQ(sheet.columnWidth(2), Sheet::standardColumnWidth);
}

TEST(ResultsWorkbook, ResultsWithTextOutlinesEachQuestion)
{
    const ResultsGrid g = grid({{"Question", "Answer", "Value", "Votes"},
                                {"q1.tlx", "Yes", "1", "3"},
                                {"q1.tlx", "Voted", "", "3"},
                                {"q2.tlx", "No Votes Collected", "", ""}});
    const Sheet sheet = collect(QuestionFullSheet(g));
    EXPECT_EQ(sheet.displayText(2, 3), "1 ");
    EXPECT_EQ(sheet.displayText(3, 3), " ");
    EXPECT_TRUE(sheet.cell(1, 4)->format.font.bold);
    EXPECT_EQ(sheet.cell(2, 2)->format.horizontal, HorizontalAlignment::Left);
    EXPECT_EQ(looks(sheet, {{1, 1}, {2, 1}, {3, 4}, {4, 2}}), "- ----|- mm--|- --mm|- -m-m");
    EXPECT_EQ(sheet.columnWidth(1), 40);
    EXPECT_EQ(sheet.columnWidth(2), 50);
    // "Votes " in bold: 6 characters widened by a tenth, plus the 0.71 margin.
    EXPECT_DOUBLE_EQ(sheet.columnWidth(4), 7.31);
}

TEST(ResultsWorkbook, TheWaitingCaptionGrowsSevenDotsThenStartsAgain)
{
    std::string caption = kBuildingWorkbookCaption;
    std::int16_t counter = 0;
    std::vector<size_t> dots;
    for (int tick = 0; tick < 16; ++tick) {
        caption = pleaseWaitTick(caption, counter);
        dots.push_back(caption.size() - std::string(kBuildingWorkbookCaption).size());
    }
    EXPECT_EQ(dots, (std::vector<size_t>{1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 0, 1}));
}

using ExportDialog = test::RowTest;

TEST_P(ExportDialog, AsksUntilAFileIsWrittenOrTheUserGivesUp)
{
    const test::Row &r = GetParam();
    test::TestFolder folder;
    folder.write("old.xls", "old");
    std::filesystem::permissions(folder.write("locked.xls", "old"), std::filesystem::perms::owner_read);
    const auto place = [&](std::string text) {
        for (size_t at; (at = text.find("{folder}")) != std::string::npos;)
            text.replace(at, 8, folder.str());
        return text;
    };
    test::FakeDialogs dialogs;
    for (const std::string &file : r.list(0, ';'))
        dialogs.textAnswers.push_back(file == "cancel" ? std::nullopt : std::optional(place(file)));
    for (const std::string &answer : r.list(1))
        dialogs.messageAnswers.push_back(answer == "Yes"  ? MessageAnswer::Yes
                                         : answer == "No" ? MessageAnswer::No
                                                          : MessageAnswer::Cancel);
    test::MemoryWriter writer;
    writer.failWith = r[2];
    int prepared = 0, restored = 0;
    ResultsExportHooks hooks;
    hooks.prepareWindow = [&] { ++prepared; };
    hooks.restoreWindow = [&] { ++restored; };
    hooks.clock = [] { return ErrorTime{2024, 3, 5, 14, 7, 9}; };
    ResultsGrids grids;
    grids.keypadResults = grid({{"Keypad Number", "Raw\r\nScore"}, {"1", "1"}});
    grids.questionResults = grid({{"", "0"}, {"q1.tlx", "1"}});
    grids.questionFull = grid({{"Question", "Answer"}, {"q1.tlx", "Yes"}});
    std::string written;
    const ResultsExportOutcome outcome =
        exportResultsWorkbook(grids, folder.str(), dialogs, writer, hooks, &written);
    EXPECT_EQ(outcome == ResultsExportOutcome::Written     ? "written"
              : outcome == ResultsExportOutcome::Cancelled ? "cancelled"
                                                           : "failed",
              r[3]);
    EXPECT_EQ(dialogs.saveDefault, folder.str() + "/2024-03-05 14-07-09 - Votes Summary.xls");
    EXPECT_EQ(dialogs.saveFilter, "Microsoft Office Excel Workbook (*.xls)|*.xls");
    std::string messages;
    for (const auto &m : dialogs.messages)
        messages += (messages.empty() ? "" : "; ") + m.title + ": " + m.text;
    EXPECT_EQ(messages, place(r[4]));
    const bool wrote = r[3] == "written";
    EXPECT_EQ(written.empty(), !wrote);
    EXPECT_EQ(prepared, wrote || !r[2].empty() ? 1 : 0);
    EXPECT_EQ(restored, r[2].empty() ? 0 : 1);
    if (wrote) {
        ASSERT_TRUE(writer.book);
        EXPECT_EQ(writer.book->sheetCount(), 3u);
        EXPECT_EQ(writer.book->sheet(2).name(), "Results with Text");
        EXPECT_EQ(writer.path, written);
    }
}
QUIZ_ROWS(ExportDialog, "results/exportdialog.rows");

} // namespace
} // namespace quiz
