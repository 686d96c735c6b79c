#include "fakes/fakerun.h"
#include "fakes/fakeworkbookwriter.h"

#include "core/quiz/quizresultsexport.h"
#include "core/quiz/quizrounds.h"

#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

const ErrorTime kNow{2026, 12, 5, 20, 30, 7};

using RunStrings = test::RowTest;

TEST_P(RunStrings, GiveTheCommandWordsAndTheQuizFile)
{
    EXPECT_EQ(commandTextOfRunString(GetParam()[0]), GetParam()[1]);
    EXPECT_EQ(quizFileOfRunString(GetParam()[0]), GetParam()[2]);
}
QUIZ_ROWS(RunStrings, "quiz/runstrings.rows");

class Export : public ::testing::Test, public test::FakeRun
{
  protected:
    void SetUp() override
    {
        // r1.quz: q1.tlx (right 2, option 2 weighs 3), q2.tlx (right 1); r2.quz: q3.tlx (right x).
        std::filesystem::copy(test::dataPath("quiz/export"), folder.path(),
                              std::filesystem::copy_options::recursive);
        host.addSlide({{"Title 1", ""}, {"quiz", "C:\\Talvix\\Quiz.exe r1.quz,DISPLAY"}});
        host.addSlide({{"QUIZ", "/opt/talvix/quiz r2.quz,DISPLAY"}});
        windows.add(1, "Microsoft PowerPoint - [show.pptx]");
        ctx.state.dataFolder = folder.str();
        ctx.state.participants = {{"Ann", 1, 1}, {"", 0, 0}};
        hooks.clock = [] { return kNow; };
        hooks.errorLogPath = folder.str() + "/Err - quiz.log";
        hooks.showProgressWindow = [this] { events.push_back("show progress"); };
        hooks.hideProgressWindow = [this] { events.push_back("hide progress"); };
        hooks.setBusyCursor = [this](bool on) { events.push_back(on ? "busy" : "not busy"); };
    }

    // The exit code; the windows are always enabled again.
    int run()
    {
        const int code = test::runEndCode([&] { exportQuizResults(ctx, writer, hooks); });
        EXPECT_NE(std::find(windows.calls.begin(), windows.calls.end(), "enable 1 1"), windows.calls.end());
        return code;
    }

    test::TestFolder folder;
    test::MemoryWriter writer;
    ExportWindowHooks hooks;
    std::vector<std::string> events;
};

// Cancelling, saying No to replacing a file, no quiz shapes and no votes.rec are
// end-to-end scenarios; export-two-rounds checks the message that says so, the
// workbook written where the dialog said and its headers, names and totals.
TEST_F(Export, WritesEveryRoundOverAConfirmedFileAndSaysSo)
{
    const std::string target = folder.write("results.xls", "keep me").string();
    dialogs.textAnswers.push_back(target);
    dialogs.messageAnswers.push_back(MessageAnswer::Yes);
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(dialogs.saveDefault, folder.str() + "/2026-12-05 20-30-07 - Quiz Results.xls");
    EXPECT_EQ(dialogs.saveFilter, "XLS files (*.xls)|*.xls");
    EXPECT_EQ(dialogs.said(0), "Confirm File Replace|" + target +
                                   " already exists.\r\n\r\nDo you want to overwrite it?|question|yesno");
    ASSERT_TRUE(writer.book);
    const Sheet &sheet = writer.book->sheet(0);
    // Option 2 of q1.tlx weighs 3 in its question file; option 1 weighs 1 but is wrong. Totals:
    // keypad 1 right three times (3 + 1 + 1), keypad 4 only in round 2 (from the Linux run string).
    const std::tuple<int, int, const char *> cells[] = {{4, 4, "2 (3)"}, {4, 5, "1 (1)"}, {4, 8, "10 (1)"},
                                                        {4, 3, "5"},     {7, 1, "4"},     {7, 2, "1"}};
    for (const auto &[row, column, text] : cells)
        EXPECT_EQ(sheet.displayText(row, column), text) << row << "," << column;
    EXPECT_EQ(events, (std::vector<std::string>{"show progress", "busy", "hide progress", "not busy"}));
    EXPECT_EQ(progress.setUps, std::vector<float>{2});
    EXPECT_EQ(progress.steps, 2);
    EXPECT_GE(pump.yields, 3 + 2); // at least once per shape and once per round
    EXPECT_EQ(FindQuizRounds(host, nullptr), (std::vector<std::string>{"r1.quz", "r2.quz"}));
}

TEST_F(Export, FailuresAreLoggedNotShown)
{
    dialogs.textAnswers.push_back(folder.str() + "/results.xls");
    writer.failWith = "cannot write in /nowhere";
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(dialogs.kinds, std::vector<std::string>{"save"}); // no message
    const std::string log = folder.read("Err - quiz.log");
    for (const char *line : {"Number: 75\r\n", "Description: cannot write in /nowhere\r\n", "Level: Quiz\r\n",
                             "Module: exportQuizResults\r\n", "Line: 11\r\n", "Date: 05-Dec-2026\r\n"})
        EXPECT_NE(log.find(line), std::string::npos) << line << log;

    host.failOnSlides = true; // a failing presentation program is logged with its number
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(dialogs.kinds.size(), 1u);
    const std::string more = folder.read("Err - quiz.log").substr(log.size());
    EXPECT_NE(more.find("Number: -2147467259\r\n"), std::string::npos) << more;
    EXPECT_NE(more.find("Line: 2\r\n"), std::string::npos) << more;
}

} // namespace
} // namespace quiz
