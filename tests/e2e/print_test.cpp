// PRINT of the real program on a copy of the demo presentation folder, into a
// PDF file whose text is read back with pdftotext.

#include "support/quizrunner.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;

namespace
{

namespace fs = std::filesystem;

std::string field(const std::string &line, const char *key)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(line))
        .object()
        .value(QLatin1String(key))
        .toString()
        .toStdString();
}

// The PDF's text with every run of blanks made one blank, line by line.
std::string pdfText(const std::string &path)
{
    QProcess process;
    process.start("pdftotext", {"-layout", QString::fromStdString(path), "-"});
    if (!process.waitForFinished(30000))
        return "pdftotext did not finish";
    const std::string text = process.readAllStandardOutput().toStdString();
    return std::regex_replace(text, std::regex("[ \\t]+"), " ");
}

bool hasLine(const std::string &text, const std::string &line)
{
    return std::regex_search(text, std::regex("(^|\\n) ?" + line + " ?(\\n|$)"));
}

class PrintRun : public ::testing::Test
{
  protected:
    // A run of its own: another test's program running at the same time would
    // otherwise be replaced by this one as an earlier instance.
    void SetUp() override { runner.setEnv("XDG_RUNTIME_DIR", runner.folder().str()); }
    std::string target() const { return runner.dataPath("summary.pdf"); }
    QuizRunner runner;
};

TEST_F(PrintRun, PrintsHeadersAndOneLinePerKeypadIntoThePdf)
{
    const QuizRunResult r = runner.run({"PRINT"}, {"pdf:" + target()});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.dialogLog.size(), 1u) << r.err;
    EXPECT_EQ(field(r.dialogLog[0], "kind"), "print");
    ASSERT_TRUE(fs::exists(target()));

    const std::string text = pdfText(target());
    EXPECT_TRUE(hasLine(text, "Name/ Percentage Total score/")) << text;
    EXPECT_TRUE(hasLine(text, "keypad correct possible score")) << text;
    // The demo: q1 right answer 4, q2 2, q3 x (10), q4 3, all keypads valid;
    // the names come from the controller's list.
    EXPECT_TRUE(hasLine(text, "Alice Martin 100% 4/4")) << text;
    EXPECT_TRUE(hasLine(text, "Ben Okafor 75% 3/4")) << text;
    EXPECT_TRUE(hasLine(text, "Chloé Dubois 25% 1/4")) << text;
    EXPECT_TRUE(hasLine(text, "Eva Nowak 0% 0/4")) << text;
    EXPECT_TRUE(hasLine(text, "Hugo Santos 50% 2/4")) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '%'), 8) << text;
}

TEST_F(PrintRun, InvalidKeypadsNeverCount)
{
    runner.folder().write("valid.kpd", "\"10111111\"\r\n");
    const QuizRunResult r = runner.run({"PRINT"}, {"pdf:" + target()});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string text = pdfText(target());
    EXPECT_TRUE(hasLine(text, "Alice Martin 100% 4/4")) << text;
    EXPECT_TRUE(hasLine(text, "Ben Okafor 0% 0/4")) << text;
}

TEST_F(PrintRun, CancellingThePrintDialogPrintsNothing)
{
    const QuizRunResult r = runner.run({"PRINT"}, {"Cancel"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    ASSERT_EQ(r.dialogLog.size(), 1u);
    EXPECT_EQ(field(r.dialogLog[0], "kind"), "print");
    EXPECT_FALSE(fs::exists(target()));
}

TEST_F(PrintRun, WithoutVotesRecTheUserIsTold)
{
    fs::remove(runner.dataPath("votes.rec"));
    const QuizRunResult r = runner.run({"PRINT"}, {"pdf:" + target()});
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.dialogLog.size(), 1u) << r.err;
    EXPECT_EQ(field(r.dialogLog[0], "kind"), "message");
    EXPECT_TRUE(field(r.dialogLog[0], "text").ends_with("/votes.rec")) << r.dialogLog[0];
    EXPECT_EQ(field(r.dialogLog[0], "text").rfind("Could not find ", 0), 0u);
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
