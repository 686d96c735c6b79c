#include "core/common/runend.h"
#include "core/startup/startup.h"
#include "fakes/controllerfakes.h"
#include "fakes/presentationfakes.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace quiz;
using namespace quiz::test;

namespace
{

class StartupTest : public ::testing::Test
{
  public:
    StartupTest()
    {
        windows.add(1, "Microsoft PowerPoint - [show.pptx]");
        host.addin = addin.str();
        ctx.host = &host;
        ctx.windows = &windows;
        ctx.dialogs = &dialogs;
        ctx.pump = &pump;
        ctx.controller = &channel;
        modes["SETUP"] = [this](RunContext &c) { ran.push_back("SETUP " + c.state.quizFileName); };
        modes["DISPLAY"] = [this](RunContext &c) { ran.push_back("DISPLAY " + c.state.quizFileName); };
        modes["PRINT"] = [this](RunContext &c) { ran.push_back("PRINT " + c.state.quizFileName); };
        platform.setCurrentDirectory = [this](const std::string &folder) {
            currentDirectory = folder;
            return true;
        };
        platform.twipsPerPixel = [] { return std::make_pair(12, 15); };
    }

    // Runs start-up; the exit code when it ended the run, -1 when a mode ran.
    int start(const std::string &command)
    {
        try {
            RunStartup(ctx, command, platform, modes);
            return -1;
        } catch (const RunEnded &end) {
            lastReason = end.reason;
            return end.exitCode;
        }
    }

    TestFolder addin;
    FakeHost host;
    FakeWindowSystem windows;
    FakeDialogs dialogs;
    FakePump pump;
    FakeChannel channel;
    RunContext ctx;
    StartupPlatform platform;
    ModeTable modes;
    std::vector<std::string> ran;
    std::string currentDirectory;
    std::string lastReason;
};

} // namespace

TEST_F(StartupTest, RunsTheModeWithTheFoldersAndDefaultsSet)
{
    windows.add(2, "PowerPoint Slide Show - [show.pptx]");
    ctx.state.displayCount = 9;
    ctx.state.displayFontName = "Courier";
    EXPECT_EQ(start("quiz.quz,SETUP"), -1);
    EXPECT_EQ(ran, (std::vector<std::string>{"SETUP quiz.quz"}));
    EXPECT_EQ(ctx.state.addinFolder, addin.str() + "/");
    EXPECT_EQ(ctx.state.dataFolder, "/data");
    EXPECT_EQ(currentDirectory, "/data");
    EXPECT_EQ(ctx.state.runMode, "SETUP");
    EXPECT_EQ(ctx.state.displayCount, 5);
    EXPECT_EQ(ctx.state.displayFontName, "Arial");
    EXPECT_EQ(ctx.state.displayFontSize, 24);
    EXPECT_EQ(ctx.state.twipsPerPixelX, 12);
    EXPECT_EQ(ctx.state.twipsPerPixelY, 15);
    EXPECT_EQ(ctx.state.rankLabelPositions.size(), 6u);
    EXPECT_EQ(host.pointerType, 3) << "the slide show's pointer is hidden while the quiz runs";
    EXPECT_FALSE(windows.at(1).enabled);
    EXPECT_FALSE(windows.at(2).enabled);
    EXPECT_TRUE(dialogs.messages.empty());
}

// The short forms, the silent ends and a missing controller are run end to end.

// The untrimmed answer that then fits no mode is run end to end.
TEST_F(StartupTest, DebugModeAsksWhichModeAndKeepsTheAnswerUntrimmed)
{
    dialogs.textAnswers = {std::string("print ")};
    EXPECT_EQ(start("quiz.quz,make"), -1);
    EXPECT_EQ(dialogs.prompts, (std::vector<std::string>{"Debug mode"}));
    EXPECT_EQ(ctx.state.modeWord, "PRINT ");
    EXPECT_EQ(ran, (std::vector<std::string>{"PRINT quiz.quz"}));
}

TEST_F(StartupTest, StartsTheControllerFromTheAddinFolderAndWaitsAtMostFourSeconds)
{
    addin.write("tlxctrl", "#!/bin/sh\n");
    for (const bool answers : {true, false}) {
        SCOPED_TRACE(answers ? "answers after 1.5 s" : "never answers");
        ctx.state = QuizState{};
        channel.running = false;
        channel.started.clear();
        pump.now = 0;
        pump.meanwhile = [this, answers] {
            if (answers && pump.now >= 1500 && channel.startPending)
                channel.running = true;
        };
        EXPECT_EQ(start("quiz.quz,SETUP"), -1);
        EXPECT_EQ(channel.started, (std::vector<std::string>{addin.str() + "/tlxctrl"}));
        EXPECT_GE(pump.now, answers ? 1500 : 4000);
        EXPECT_LT(pump.now, answers ? 4000 : 4100);
    }
}

TEST_F(StartupTest, OnlyDisplayEndsWithoutNextSlideWhenTheShowIsOnAnotherSlide)
{
    host.showingSlide = 5;
    EXPECT_EQ(start("quiz.quz,SETUP,SLIDE3"), -1);
    ctx.state = QuizState{};
    EXPECT_EQ(start("quiz.quz,DISPLAY,SLIDE3"), 0);
    EXPECT_EQ(ctx.state.currentSlide, 3);
    EXPECT_EQ(ctx.state.onFinishChoice, 0);
    EXPECT_EQ(ran, (std::vector<std::string>{"SETUP quiz.quz"}));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(StartupTest, AFailureReadingTheShowIsReportedAsAnUnexpectedError)
{
    ctx.state.modeWord = "DISPLAY";
    ctx.state.currentSlide = 2;
    host.showFails = true;
    host.showWindowCount = 2;
    host.viewType = 7;
    EXPECT_THROW(CheckPPTSlideNumber(ctx), RunEnded);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.said(0), "Quiz Unexpected Error|"
                               "Module: CheckPPTSlideNumber\r\n"
                               "\r\n"
                               "Source: Presentation host\r\n"
                               "\r\n"
                               "Error: -2147188160\r\n"
                               "SlideShowWindows.Item: Integer out of range\r\n"
                               "\r\n"
                               "Additional Info: PPT.SlideShowWindows.Count = 2\r\n"
                               "PPT.ActiveWindow.View.Type = 7|exclamation|ok");
}

TEST_F(StartupTest, SlideCheckLooksAtAllFourCommandWords)
{
    host.showingSlide = 4;
    for (std::string *word :
         {&ctx.state.quizFileName, &ctx.state.modeWord, &ctx.state.slideArg, &ctx.state.extraArg}) {
        ctx.state = QuizState{};
        ctx.state.currentSlide = 2;
        *word = " display ";
        EXPECT_THROW(CheckPPTSlideNumber(ctx), RunEnded);
        EXPECT_EQ(ctx.state.onFinishChoice, 0);
    }
    ctx.state = QuizState{};
    ctx.state.currentSlide = 2;
    ctx.state.modeWord = "INSERT";
    EXPECT_NO_THROW(CheckPPTSlideNumber(ctx));
}
