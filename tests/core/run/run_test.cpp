// The start of a run (folders, defaults, the controller, the slide check) and
// its end (the presentation program given back, the controller moved on).

#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/controller/controllerlink.h"
#include "core/run/endofrun.h"
#include "core/run/startup.h"
#include "fakes/fakerun.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace quiz;
using namespace quiz::test;

namespace
{

// A show's presentation program window, its slide show's and one more of the
// program; the controller link ends the run when it quits.
struct RunTest : ::testing::TestWithParam<Row>, FakeRun {
    RunTest() : link(ctx.state, channel, pump, dialogs, [] { endRun(0); })
    {
        windows.add(1, "Microsoft PowerPoint - [show.pptx]");
        windows.add(2, "PowerPoint Slide Show - [show.pptx]");
        windows.add(3, "PowerPoint");
        host.addin = addin.str();
        host.showingSlide = 7;
        for (const char *mode : {"SETUP", "DISPLAY", "PRINT"})
            modes[mode] = [this, mode](RunContext &c) { ran.push_back(mode + (" " + c.state.quizFileName)); };
        platform.setCurrentDirectory = [this](const std::string &folder) {
            currentDirectory = folder;
            return true;
        };
        platform.twipsPerPixel = [] { return std::make_pair(12, 15); };
    }

    // Runs start-up; the exit code when it ended the run, -1 when a mode ran.
    int start(const std::string &command)
    {
        return runEndCode([&] { RunStartup(ctx, command, platform, modes); });
    }

    // Ends the run with the windows disabled: its exit code and the NextSlide command sent, if any.
    std::string quit(void (*how)(RunContext &) = QuitQuiz)
    {
        ctx.link = &link;
        ctx.state.addinFolder = addin.str() + "/";
        windows.at(1).enabled = windows.at(2).enabled = false;
        channel.sent.clear();
        std::string result = std::to_string(runEndCode([&] { how(ctx); }));
        for (const std::string &command : channel.sent)
            result += command.rfind("NextSlide", 0) == 0 ? " " + command : "";
        return result;
    }

    TestFolder addin;
    ControllerLink link;
    StartupPlatform platform;
    ModeTable modes;
    std::vector<std::string> ran;
    std::string currentDirectory;
};

} // namespace

// The short forms (the mode run on its quiz file, no dialog), the silent ends, a
// missing controller and the debug mode's question are run end to end
// (tests/data/e2e/startup-*).
TEST_F(RunTest, StartupRunsTheModeWithTheFoldersAndDefaultsSet)
{
    ctx.state.displayCount = 9;
    ctx.state.displayFontName = "Courier";
    EXPECT_EQ(start("quiz.quz,SETUP"), -1);
    EXPECT_EQ(ctx.state.addinFolder, addin.str() + "/");
    EXPECT_EQ(ctx.state.dataFolder + "|" + currentDirectory + "|" + ctx.state.runMode, "/data|/data|SETUP");
    EXPECT_EQ(std::make_tuple(ctx.state.displayCount, ctx.state.displayFontName, ctx.state.displayFontSize),
              std::make_tuple(5, std::string("Arial"), 24));
    EXPECT_EQ(std::make_pair(ctx.state.twipsPerPixelX, ctx.state.twipsPerPixelY), std::make_pair(12, 15));
    EXPECT_EQ(ctx.state.rankLabelPositions.size(), 6u);
    EXPECT_EQ(host.pointerType, 3) << "the slide show's pointer is hidden while the quiz runs";
    EXPECT_FALSE(windows.at(1).enabled || windows.at(2).enabled);
}

TEST_F(RunTest, StartupStartsTheControllerAndWaitsAtMostFourSeconds)
{
    addin.write("tlxctrl", "#!/bin/sh\n");
    for (const bool answers : {true, false}) {
        ctx.state = QuizState{};
        channel.running = false;
        pump.now = 0;
        pump.meanwhile = [this, answers] {
            if (answers && pump.now >= 1500 && channel.startPending)
                channel.running = true;
        };
        EXPECT_EQ(start("quiz.quz,SETUP"), -1);
        EXPECT_EQ(channel.started.size(), answers ? 1u : 2u); // from the add-in folder: every scenario
        EXPECT_GE(pump.now, answers ? 1500 : 4000) << answers;
        EXPECT_LT(pump.now, answers ? 4000 : 4100) << answers;
    }
}

// Only DISPLAY ends, without NextSlide, when the show is on another slide (the
// scenario startup-show-elsewhere); the check looks at all four command words.
TEST_F(RunTest, StartupOfDisplayOnlyEndsWhenTheShowIsOnAnotherSlide)
{
    host.showingSlide = 5;
    EXPECT_EQ(start("quiz.quz,SETUP,SLIDE3"), -1);
    EXPECT_EQ(ran, (std::vector<std::string>{"SETUP quiz.quz"}));
    EXPECT_TRUE(dialogs.messages.empty());
    for (std::string *word :
         {&ctx.state.quizFileName, &ctx.state.modeWord, &ctx.state.slideArg, &ctx.state.extraArg}) {
        ctx.state = QuizState{};
        ctx.state.currentSlide = 2;
        *word = " display ";
        EXPECT_THROW(CheckPPTSlideNumber(ctx), RunEnded);
        EXPECT_EQ(ctx.state.onFinishChoice, 0);
    }
}

TEST_F(RunTest, AFailureReadingTheShowIsReportedAsAnUnexpectedError)
{
    ctx.state.modeWord = "DISPLAY";
    ctx.state.currentSlide = 2;
    host.showFails = true;
    host.showWindowCount = 2;
    host.viewType = 7;
    EXPECT_THROW(CheckPPTSlideNumber(ctx), RunEnded);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.said(0), "Quiz Unexpected Error|Module: CheckPPTSlideNumber\r\n\r\n"
                               "Source: Presentation host\r\n\r\nError: -2147188160\r\n"
                               "SlideShowWindows.Item: Integer out of range\r\n\r\n"
                               "Additional Info: PPT.SlideShowWindows.Count = 2\r\n"
                               "PPT.ActiveWindow.View.Type = 7|exclamation|ok");
}

// The active marker's removal is checked by the scenario display-one-slide.
TEST_F(RunTest, QuitQuizGivesThePresentationProgramBackAndMovesTheControllerOn)
{
    ctx.state.modeWord = "DISPLAY";
    windows.cursorCount = -1;
    EXPECT_EQ(quit(), "0 NextSlide,7");
    EXPECT_TRUE(windows.at(1).enabled && windows.at(2).enabled);
    EXPECT_EQ(host.pointerType, 4);
    EXPECT_GE(windows.cursorCount, 0) << "the cursor shows again";
    EXPECT_FALSE(windows.confinement.has_value());
    EXPECT_NE(std::find(windows.calls.begin(), windows.calls.end(), "activate 3"), windows.calls.end())
        << "a DISPLAY run activates the presentation program's window";

    host.pointerFails = true; // going on after failing steps
    host.showFails = true;    // the slide now showing cannot be read
    EXPECT_EQ(quit(), "0");
    EXPECT_TRUE(windows.at(1).enabled);
}

TEST_F(RunTest, QuitAndRunBrevakHandsOverToTheAddin)
{
    EXPECT_EQ(quit(QuitAndRunBrevak), "0");
    EXPECT_EQ(host.macros, (std::vector<std::string>{"Brevak"}));
    EXPECT_TRUE(windows.at(1).enabled);
    EXPECT_EQ(windows.clipboardClears, 1);
}

using QuitRows = RunTest;

TEST_P(QuitRows, NextSlideOnlyWhenTheQuizMovesOnAndDisplayActivatesByTitle)
{
    const Row &r = GetParam();
    if (r.name == "mode") {
        std::tie(ctx.state.modeWord, ctx.state.runMode, ctx.state.onFinishChoice) =
            std::tuple(r[0], r[1], r.num(2));
        EXPECT_EQ(quit(), r[3]);
        return;
    }
    FakeRun run; // the row's windows only
    const std::vector<std::string> titles = r.list(0, ';');
    for (size_t i = 0; i < titles.size(); ++i)
        run.windows.add(static_cast<WindowHandle>(i + 1), titles[i]);
    run.ctx.state.modeWord = "display";
    EXPECT_EQ(runEndCode([&] { QuitQuiz(run.ctx); }), 0);
    std::string got;
    for (const std::string &call : run.windows.calls)
        got += call.rfind("activate ", 0) == 0 ? call + " " : "";
    EXPECT_EQ(trim(got), r[1]);
}
QUIZ_ROWS(QuitRows, "run/quit.rows");
