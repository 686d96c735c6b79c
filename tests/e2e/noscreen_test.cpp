// Without a screen and without answers, a run that would wait for a dialog
// ends at once with exit code 2 and one line naming the variable to set.

#include "support/quizrunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace
{

TEST(NoScreen, ADialogNobodyCanAnswerEndsTheRunAtOnce)
{
    const struct {
        const char *command;
        bool removeController;
        const char *dialog;
    } cases[] = {
        {"quiz.quz,PRINT", false, "the print dialog \"Print Quiz Score Summary\""},
        {"quiz.quz,EXPORT", false, "the save dialog \"Please choose a name for the results file\""},
        {"quiz.quz,SETUP", true, "the message \"talvix\""}, // the controller is not installed
    };
    for (const auto &c : cases) {
        quiz::test::QuizRunner runner;
        runner.setEnv("TALVIX_DIALOGS", "");
        if (c.removeController)
            std::filesystem::remove(runner.dataPath("addin/tlxctrl"));
        const quiz::test::QuizRunResult r = runner.run({c.command}, {}, 20000);
        ASSERT_TRUE(r.finished) << c.command << " waited for an invisible dialog";
        EXPECT_EQ(r.exitCode, 2) << c.command;
        // The program's own lines (Qt may add warnings of its own).
        std::string own;
        std::istringstream lines(r.err);
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("quiz: ", 0) == 0)
                own += line + "\n";
        EXPECT_EQ(own, std::string("quiz: no screen to show ") + c.dialog +
                           " and nothing to answer it: set TALVIX_DIALOGS to an answers file (or "
                           "TALVIX_OUTPUT to an output file for PRINT and EXPORT)\n")
            << c.command;
    }
}

} // namespace
