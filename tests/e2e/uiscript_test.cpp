// The real program driven by a UI script on a copy of the demo.

#include "support/quizrunner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;

namespace
{

class UiScriptDemo : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(QuizRunner::controllerBinary()))
            GTEST_SKIP() << "the controller stand-in is not built";
    }

    QuizRunResult runScript(const std::string &script)
    {
        runner.folder().write("drive.txt", script);
        runner.setEnv("TALVIX_UI_SCRIPT", runner.dataPath("drive.txt"));
        runner.setEnv("TALVIX_UI_SCRIPT_TIMEOUT", "3000");
        return runner.run({"DISPLAY"});
    }

    QuizRunner runner;
};

TEST_F(UiScriptDemo, AClickEndsTheDisplayAndMovesTheShowOn)
{
    const QuizRunResult r = runScript("# end the display as a click would\nclick FrmTChartDisplay/TChart\n");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // The window stayed up for the script instead of leaving its picture.
    EXPECT_FALSE(std::filesystem::exists(runner.dataPath("QuizDisplay.png")));
    EXPECT_EQ(runner.folder().read("drive.txt.log"),
              "{\"line\":2,\"action\":\"click\",\"target\":\"FrmTChartDisplay/TChart\",\"args\":\"\","
              "\"result\":\"ok\",\"message\":\"\"}\n");
    // The controller stand-in may log a moment after the program has ended.
    bool movedOn = false;
    for (int i = 0; i < 60 && !movedOn; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(50)))
        for (const std::string &line : runner.controllerLog())
            movedOn = movedOn || line.rfind("NextSlide,", 0) == 0;
    EXPECT_TRUE(movedOn);
}

TEST_F(UiScriptDemo, AFaultEndsTheRunWithItsOwnCodeAndOneLine)
{
    const QuizRunResult r = runScript("click FrmTChartDisplay/cmdNext\nclick FrmTChartDisplay/TChart\n");
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 83);
    EXPECT_NE(r.err.find("quiz: ui script line 1: no control cmdNext in FrmTChartDisplay after 3000 ms\n"),
              std::string::npos)
        << r.err;
    EXPECT_NE(runner.folder().read("drive.txt.log").find("\"result\":\"missing\""), std::string::npos);
}

} // namespace
