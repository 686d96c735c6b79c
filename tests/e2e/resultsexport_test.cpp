// The results workbook and graph insertion of the real program on a copy of
// the demo folder: a UI script presses the buttons, dialogs are scripted, the
// workbook is read back from its file.

#include "support/quizrunner.h"
#include "support/xlsxreadback.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

using quiz::test::dialogField;
using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;

namespace
{

namespace fs = std::filesystem;

class ResultsExportRun : public ::testing::Test
{
  protected:
    // Waits for the grids, then does what the lines say.
    QuizRunResult runScript(const std::string &lines, const std::vector<std::string> &answers)
    {
        runner.folder().write("drive.txt", "wait 2500\n" + lines);
        runner.setEnv("TALVIX_UI_SCRIPT", runner.dataPath("drive.txt"));
        runner.setEnv("TALVIX_UI_SCRIPT_TIMEOUT", "8000");
        return runner.run({"RESULTSTABLE"}, answers);
    }
    std::string log() const { return runner.folder().read("drive.txt.log"); }
    QuizRunner runner;
};

TEST_F(ResultsExportRun, TheProposedNameAfterAWrongExtensionGetsTheThreeSheets)
{
    const QuizRunResult r =
        runScript("menu frmResultsTable mnuExport\n", {"file:" + runner.dataPath("wrong.xlsx"), "OK", "OK"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err << log();
    ASSERT_EQ(r.dialogLog.size(), 3u) << r.err << log();
    EXPECT_EQ(dialogField(r.dialogLog[1], "text"),
              "The extension \"xlsx\" is not a valid Excel file extension");
    EXPECT_EQ(dialogField(r.dialogLog[1], "title"), "Invalid File Type");
    const std::string proposed = dialogField(r.dialogLog[2], "default");
    EXPECT_TRUE(std::regex_search(
        proposed, std::regex("/\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d - Votes Summary\\.xls$")))
        << proposed;
    EXPECT_FALSE(fs::exists(runner.dataPath("wrong.xlsx")));

    const auto book = quiz::test::readXlsx(proposed);
    ASSERT_TRUE(book.ok) << book.error;
    ASSERT_EQ(book.sheets.size(), 3u);
    EXPECT_EQ(book.sheets[0].name, "Individual Results");
    EXPECT_EQ(book.sheets[1].name, "Results by Question");
    EXPECT_EQ(book.sheets[2].name, "Results with Text");
    const auto &keypads = book.sheets[0].cells;
    EXPECT_EQ(keypads.at("A1").value, "Participant Name");
    EXPECT_EQ(keypads.at("B1").value, "Raw \nScore");
    EXPECT_EQ(keypads.at("A2").fill + "/" + keypads.at("A3").fill, "C0C0C0/00CCFF");
    EXPECT_EQ(keypads.at("D2").fill, "00FF00") << keypads.at("D2").value;
    EXPECT_EQ(book.sheets[1].cells.at("B1").top, "medium/-");
    EXPECT_EQ(book.sheets[2].cells.at("A1").bold, "1");
}

TEST_F(ResultsExportRun, InsertGraphsAsksTheControllerAndCloses)
{
    const QuizRunResult r = runScript("click frmResultsTable/cmdInsertCharts\n", {});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err << log();
    const auto commands = runner.controllerLog();
    EXPECT_NE(
        std::find_if(commands.begin(), commands.end(),
                     [](const std::string &line) { return line.find("InsertCharts") != std::string::npos; }),
        commands.end());
}

TEST_F(ResultsExportRun, AReadOnlyTargetIsNotReplacedAndTheWindowStays)
{
    const std::string target = runner.dataPath("results.xls");
    runner.folder().write("results.xls", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
    const QuizRunResult r =
        runScript("menu frmResultsTable mnuExport\nwait 1000\nmenu frmResultsTable mnuExit\n",
                  {"file:" + target, "Yes", "OK"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err << log();
    ASSERT_EQ(r.dialogLog.size(), 3u) << r.err << log() << runner.folder().read("dialogs.txt.log");
    EXPECT_EQ(dialogField(r.dialogLog[1], "title"), "Confirm File Replace");
    EXPECT_EQ(dialogField(r.dialogLog[2], "text"), "Cannot overwrite file - Permission denied.");
    EXPECT_EQ(dialogField(r.dialogLog[2], "title"), "File Access Error");
    EXPECT_EQ(runner.folder().read("results.xls"), "old");
}

TEST_F(ResultsExportRun, TalvixOutputWritesTheWorkbookWithoutDialogs)
{
    const std::string target = runner.dataPath("summary.xls");
    runner.setEnv("TALVIX_OUTPUT", target);
    const QuizRunResult r = runner.run({"RESULTSTABLE"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.dialogLog.empty());
    const auto book = quiz::test::readXlsx(target);
    ASSERT_TRUE(book.ok) << book.error;
    EXPECT_EQ(book.sheets.size(), 3u);
}

} // namespace
