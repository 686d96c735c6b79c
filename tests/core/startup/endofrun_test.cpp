#include "core/common/runend.h"
#include "core/controller/controllerlink.h"
#include "core/startup/endofrun.h"
#include "fakes/controllerfakes.h"
#include "fakes/presentationfakes.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace quiz;
using namespace quiz::test;

namespace
{

class EndOfRunTest : public ::testing::Test
{
  public:
    EndOfRunTest() : link(ctx.state, channel, pump, dialogs, [] { endRun(0); })
    {
        windows.add(1, "Microsoft PowerPoint - [show.pptx]").enabled = false;
        windows.add(2, "PowerPoint Slide Show - [show.pptx]").enabled = false;
        windows.add(3, "PowerPoint");
        ctx.host = &host;
        ctx.windows = &windows;
        ctx.dialogs = &dialogs;
        ctx.pump = &pump;
        ctx.controller = &channel;
        ctx.link = &link;
        ctx.state.addinFolder = addin.str() + "/";
        host.showingSlide = 7;
    }

    bool ends(void (*quit)(RunContext &))
    {
        try {
            quit(ctx);
        } catch (const RunEnded &end) {
            return end.exitCode == 0;
        }
        return false;
    }

    bool sent(const std::string &command) const
    {
        return std::find(channel.sent.begin(), channel.sent.end(), command) != channel.sent.end();
    }

    TestFolder addin;
    FakeHost host;
    FakeWindowSystem windows;
    FakeDialogs dialogs;
    FakePump pump;
    FakeChannel channel;
    RunContext ctx;
    ControllerLink link;
};

} // namespace

TEST_F(EndOfRunTest, QuitQuizGivesThePresentationProgramBackAndMovesTheControllerOn)
{
    addin.write("quizActive.txt", "\"Blah\"\r\n");
    ctx.state.modeWord = "DISPLAY";
    windows.cursorCount = -1;
    EXPECT_TRUE(ends(QuitQuiz));
    EXPECT_TRUE(windows.at(1).enabled);
    EXPECT_TRUE(windows.at(2).enabled);
    EXPECT_EQ(host.pointerType, 4);
    EXPECT_GE(windows.cursorCount, 0) << "the cursor shows again";
    EXPECT_FALSE(windows.confinement.has_value());
    EXPECT_FALSE(std::filesystem::exists(addin.path() / "quizActive.txt"));
    EXPECT_TRUE(sent("NextSlide,7"));
    EXPECT_NE(std::find(windows.calls.begin(), windows.calls.end(), "activate 3"), windows.calls.end())
        << "a DISPLAY run activates the presentation program's window";
}

TEST_F(EndOfRunTest, QuitQuizSendsNextSlideOnlyWhenTheQuizMovesOn)
{
    struct Case {
        const char *modeWord, *runMode;
        int onFinishChoice;
        bool nextSlide;
    } cases[] = {
        {"DISPLAY", "DISPLAY", 1, true},
        {"DISPLAY", "DISPLAY", 0, false}, // the quiz stays on the slide
        {"RESULTSTABLE", "RESULTSTABLE", 1, false},
        {"", "RESULTSTABLE", 1, false}, // the short form: the mode is the first word
        {"resultstable", "", 1, true},  // only the exact word is the results table
    };
    for (const auto &c : cases) {
        channel.sent.clear();
        ctx.state.modeWord = c.modeWord;
        ctx.state.runMode = c.runMode;
        ctx.state.onFinishChoice = c.onFinishChoice;
        EXPECT_TRUE(ends(QuitQuiz));
        EXPECT_EQ(sent("NextSlide,7"), c.nextSlide) << c.modeWord << " " << c.onFinishChoice;
    }
}

TEST_F(EndOfRunTest, QuitQuizGoesOnAfterAFailingStep)
{
    host.pointerFails = true;
    host.showFails = true; // the slide now showing cannot be read
    EXPECT_TRUE(ends(QuitQuiz));
    EXPECT_TRUE(windows.at(1).enabled);
    EXPECT_FALSE(std::any_of(channel.sent.begin(), channel.sent.end(),
                             [](const std::string &c) { return c.rfind("NextSlide", 0) == 0; }));
}

TEST_F(EndOfRunTest, QuitAndRunBrevakHandsOverToTheAddin)
{
    EXPECT_TRUE(ends(QuitAndRunBrevak));
    EXPECT_EQ(host.macros, (std::vector<std::string>{"Brevak"}));
    EXPECT_TRUE(windows.at(1).enabled);
    EXPECT_EQ(windows.clipboardClears, 1);
    EXPECT_FALSE(sent("NextSlide,7"));
}
