// RESULTSTABLE of the real program on a copy of the demo presentation folder,
// without a screen: the window leaves a picture of each tab and closes.

#include "support/quizrunner.h"

#include <QImage>
#include <QJsonArray>

#include <gtest/gtest.h>

#include <filesystem>

using quiz::test::dialogField;
using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;

namespace
{

TEST(ResultsTableRun, ShowsTheThreeGridsAndMovesTheQuestionTags)
{
    QuizRunner runner;
    const QuizRunResult r = runner.run({"RESULTSTABLE"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.dialogLog.empty()) << r.dialogLog.front();
    std::string expected;
    for (int tab = 1; tab <= 3; ++tab) {
        const std::string path = runner.dataPath("ResultsTable-" + std::to_string(tab) + ".png");
        expected += path + "\n";
        const QImage picture(QString::fromStdString(path));
        EXPECT_GT(picture.width(), 600) << path;
    }
    EXPECT_EQ(r.out, expected);
    // The rank question's tag moved from its shape to its slide.
    const QJsonObject slide = runner.host()["presentations"][0]["slides"][7].toObject();
    EXPECT_EQ(slide["tags"]["QuiztlxName"].toString().toStdString(), "q6.tlx");
    EXPECT_TRUE(slide["shapes"][1]["tags"].toObject().isEmpty());
}

// A person adds a group, removes its column with a right click on its
// header, finds the group back in the list and leaves with Exit.
TEST(ResultsTableRun, AScriptedSessionAddsAndRemovesAGroup)
{
    QuizRunner runner;
    // The window shows while it builds; the tabs appear once the grids are built.
    runner.folder().write("drive.txt", "wait 2500\n"
                                       "select frmResultsTable/tabView Results with Text\n"
                                       "select frmResultsTable/tabView/Combo_Groups CrabExperts\n"
                                       "click frmResultsTable/tabView/cmd_AddGroup\n"
                                       "rightclick frmResultsTable/tabView/grdQuestionFull 540 10\n"
                                       "select frmResultsTable/tabView/Combo_Groups CrabExperts\n"
                                       "menu frmResultsTable mnuExit\n");
    runner.setEnv("TALVIX_UI_SCRIPT", runner.dataPath("drive.txt"));
    runner.setEnv("TALVIX_UI_SCRIPT_TIMEOUT", "5000");
    const QuizRunResult r = runner.run({"RESULTSTABLE"}, {"Yes"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err << runner.folder().read("drive.txt.log");
    ASSERT_EQ(r.dialogLog.size(), 1u) << runner.folder().read("drive.txt.log");
    EXPECT_EQ(dialogField(r.dialogLog[0], "text"), "Remove CrabExperts");
    EXPECT_EQ(dialogField(r.dialogLog[0], "title"), "Delete Column");
    const std::string log = runner.folder().read("drive.txt.log");
    size_t ok = 0;
    for (size_t at = log.find("\"result\":\"ok\""); at != std::string::npos;
         at = log.find("\"result\":\"ok\"", at + 1))
        ++ok;
    EXPECT_EQ(ok, 7u) << log;
}

TEST(ResultsTableRun, EndsWithItsMessageWithoutVotes)
{
    QuizRunner runner;
    std::filesystem::remove(runner.dataPath("votes.rec"));
    const QuizRunResult r = runner.run({"RESULTSTABLE"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.dialogLog.size(), 1u);
    EXPECT_EQ(dialogField(r.dialogLog[0], "text"),
              "There are no votes for this meeting (votes.rec does not exist)");
    EXPECT_EQ(dialogField(r.dialogLog[0], "title"), "Results Table");
    EXPECT_FALSE(std::filesystem::exists(runner.dataPath("ResultsTable-1.png")));
}

} // namespace
