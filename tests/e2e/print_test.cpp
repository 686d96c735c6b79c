// PRINT of the real program on a copy of the demo presentation folder, into a
// PDF file whose text is read back with pdftotext.

#include "support/quizrunner.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

using quiz::test::dialogField;
using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;

namespace
{

namespace fs = std::filesystem;

// The PDF's text with every run of blanks made one blank.
std::string pdfText(const std::string &path)
{
    QProcess process;
    process.start("pdftotext", {"-layout", QString::fromStdString(path), "-"});
    if (!process.waitForFinished(30000))
        return "pdftotext did not finish";
    return std::regex_replace(process.readAllStandardOutput().toStdString(), std::regex("[ \\t]+"), " ");
}

bool hasLine(const std::string &text, const std::string &line)
{
    return std::regex_search(text, std::regex("(^|\\n) ?" + line + " ?(\\n|$)"));
}

class PrintRun : public ::testing::Test
{
  protected:
    std::string target() const { return runner.dataPath("summary.pdf"); }
    QuizRunner runner;
};

TEST_F(PrintRun, PrintsHeadersAndOneLinePerKeypadIntoThePdf)
{
    const QuizRunResult r = runner.run({"PRINT"}, {"pdf:" + target()});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.dialogLog.size(), 1u) << r.err;
    EXPECT_EQ(dialogField(r.dialogLog[0], "kind"), "print");

    const std::string text = pdfText(target());
    // The demo: q1 right answer 4, q2 2, q3 x (10), q4 3, all keypads valid;
    // the names come from the controller's list.
    for (const char *line : {"Name/ Percentage Total score/", "keypad correct possible score",
                             "Alice Martin 100% 4/4", "Ben Okafor 75% 3/4", "Chloé Dubois 25% 1/4",
                             "Eva Nowak 0% 0/4", "Hugo Santos 50% 2/4"})
        EXPECT_TRUE(hasLine(text, line)) << line << "\n" << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '%'), 8) << text;
}

TEST_F(PrintRun, InvalidKeypadsNeverCount)
{
    runner.folder().write("valid.kpd", "\"10111111\"\r\n");
    const QuizRunResult r = runner.run({"PRINT"}, {"pdf:" + target()});
    ASSERT_TRUE(r.finished);
    const std::string text = pdfText(target());
    EXPECT_TRUE(hasLine(text, "Alice Martin 100% 4/4")) << text;
    EXPECT_TRUE(hasLine(text, "Ben Okafor 0% 0/4")) << text;
}

TEST_F(PrintRun, CancelOrAMissingVotesRecPrintsNothing)
{
    QuizRunResult r = runner.run({"PRINT"}, {"Cancel"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.dialogLog.size(), 1u);
    EXPECT_EQ(dialogField(r.dialogLog[0], "kind"), "print");
    EXPECT_FALSE(fs::exists(target()));

    fs::remove(runner.dataPath("votes.rec"));
    r = runner.run({"PRINT"}, {"pdf:" + target()});
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.dialogLog.size(), 1u) << r.err;
    EXPECT_EQ(dialogField(r.dialogLog[0], "text"), "Could not find " + runner.dataPath("votes.rec"));
    EXPECT_FALSE(fs::exists(target()));
}

TEST_F(PrintRun, TalvixOutputPrintsWithoutAnyDialog)
{
    runner.setEnv("TALVIX_OUTPUT", target());
    const QuizRunResult r = runner.run({"PRINT"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.dialogLog.empty());
    EXPECT_TRUE(hasLine(pdfText(target()), "Alice Martin 100% 4/4"));
}

} // namespace
