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
