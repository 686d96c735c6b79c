// SETUP and WIZARD of the real program without a screen: nobody can answer
// the window, so its picture is left and it is cancelled the way its own
// "Cancel" does it.

#include "support/quizrunner.h"

#include <gtest/gtest.h>

#include <QJsonArray>

#include <algorithm>
#include <filesystem>

namespace
{

using quiz::test::QuizRunner;

TEST(SetupWindowsWithoutAScreen, LeaveTheirPictureAndEndTheRun)
{
    struct Case {
        const char *command, *picture;
        bool endWizard; // the wizard's unload tells the controller
    } cases[] = {{"SETUP", "QuizForm.png", false}, {"WIZARD", "QuizWizard.png", true}};
    for (const auto &c : cases) {
        QuizRunner runner;
        const auto r = runner.run({c.command});
        ASSERT_TRUE(r.finished) << c.command;
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_TRUE(r.dialogLog.empty()) << c.command;
        EXPECT_EQ(r.out, runner.dataPath(c.picture) + "\n");
        EXPECT_TRUE(std::filesystem::file_size(runner.dataPath(c.picture)) > 0) << c.command;
        const auto log = runner.controllerLog();
        EXPECT_EQ(std::count(log.begin(), log.end(), "EndWizard"), c.endWizard ? 1 : 0) << c.command;
        EXPECT_EQ(std::count_if(log.begin(), log.end(),
                                [](const std::string &l) { return l.rfind("NextSlide", 0) == 0; }),
                  0);
        for (const auto &window : runner.host()["windows"].toArray())
            EXPECT_TRUE(window.toObject()["enabled"].toBool(true)) << c.command;
    }
}

} // namespace
