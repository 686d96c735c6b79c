#include "core/common/runend.h"
#include "core/run/startup.h"
#include "fakes/fakerun.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace quiz;
using namespace quiz::test;

namespace
{

class StartupTest : public ::testing::Test, public FakeRun
{
  public:
    StartupTest()
    {
        windows.add(1, "Microsoft PowerPoint - [show.pptx]");
        host.addin = addin.str();
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
        return runEndCode([&] { RunStartup(ctx, command, platform, modes); }, &lastReason);
    }

    TestFolder addin;
    StartupPlatform platform;
    ModeTable modes;
    std::vector<std::string> ran;
    std::string currentDirectory;
    std::string lastReason;
};

} // namespace

// The short forms, the silent ends, a missing controller and an untrimmed debug
// answer that then fits no mode are run end to end.
TEST_F(StartupTest, RunsTheModeWithTheFoldersAndDefaultsSet)
{
    windows.add(2, "PowerPoint Slide Show - [show.pptx]");
    ctx.state.displayCount = 9;
    ctx.state.displayFontName = "Courier";
    EXPECT_EQ(start("quiz.quz,SETUP"), -1);
    EXPECT_EQ(ran, (std::vector<std::string>{"SETUP quiz.quz"}));
    EXPECT_EQ(ctx.state.addinFolder, addin.str() + "/");
    EXPECT_EQ(ctx.state.dataFolder + "|" + currentDirectory + "|" + ctx.state.runMode, "/data|/data|SETUP");
    EXPECT_EQ(std::make_tuple(ctx.state.displayCount, ctx.state.displayFontName, ctx.state.displayFontSize),
              std::make_tuple(5, std::string("Arial"), 24));
    EXPECT_EQ(std::make_pair(ctx.state.twipsPerPixelX, ctx.state.twipsPerPixelY), std::make_pair(12, 15));
    EXPECT_EQ(ctx.state.rankLabelPositions.size(), 6u);
    EXPECT_EQ(host.pointerType, 3) << "the slide show's pointer is hidden while the quiz runs";
    EXPECT_FALSE(windows.at(1).enabled || windows.at(2).enabled);
    EXPECT_TRUE(dialogs.messages.empty());

    ctx.state = QuizState{}; // the debug mode asks which mode and keeps the answer untrimmed
    dialogs.textAnswers = {std::string("print ")};
    EXPECT_EQ(start("quiz.quz,make"), -1);
    EXPECT_EQ(dialogs.prompts, (std::vector<std::string>{"Debug mode"}));
    EXPECT_EQ(ctx.state.modeWord, "PRINT ");
    EXPECT_EQ(ran.back(), "PRINT quiz.quz");
}

TEST_F(StartupTest, StartsTheControllerFromTheAddinFolderAndWaitsAtMostFourSeconds)
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
        EXPECT_EQ(channel.started.back(), addin.str() + "/tlxctrl");
        EXPECT_GE(pump.now, answers ? 1500 : 4000) << answers;
        EXPECT_LT(pump.now, answers ? 4000 : 4100) << answers;
    }
}

// Only DISPLAY ends, without NextSlide, when the show is on another slide; the
// check looks at all four command words.
TEST_F(StartupTest, OnlyDisplayEndsWhenTheShowIsOnAnotherSlide)
{
    host.showingSlide = 5;
    EXPECT_EQ(start("quiz.quz,SETUP,SLIDE3"), -1);
    ctx.state = QuizState{};
    EXPECT_EQ(start("quiz.quz,DISPLAY,SLIDE3"), 0);
    EXPECT_EQ(ctx.state.currentSlide, 3);
    EXPECT_EQ(ctx.state.onFinishChoice, 0);
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

TEST_F(StartupTest, AFailureReadingTheShowIsReportedAsAnUnexpectedError)
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
