#include "core/common/runend.h"
#include "core/controller/controllerlink.h"
#include "core/run/endofrun.h"
#include "fakes/fakerun.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace quiz;
using namespace quiz::test;

namespace
{

class EndOfRunTest : public ::testing::Test, public FakeRun
{
  public:
    EndOfRunTest() : link(ctx.state, channel, pump, dialogs, [] { endRun(0); })
    {
        windows.add(1, "Microsoft PowerPoint - [show.pptx]").enabled = false;
        windows.add(2, "PowerPoint Slide Show - [show.pptx]").enabled = false;
        windows.add(3, "PowerPoint");
        ctx.link = &link;
        ctx.state.addinFolder = addin.str() + "/";
        host.showingSlide = 7;
    }

    // Ends the run: its exit code and the NextSlide command sent, if any.
    std::string quit(void (*how)(RunContext &) = QuitQuiz)
    {
        channel.sent.clear();
        std::string result = std::to_string(runEndCode([&] { how(ctx); }));
        for (const std::string &command : channel.sent)
            result += command.rfind("NextSlide", 0) == 0 ? " " + command : "";
        return result;
    }

    TestFolder addin;
    ControllerLink link;
};

} // namespace

TEST_F(EndOfRunTest, QuitQuizGivesThePresentationProgramBackAndMovesTheControllerOn)
{
    addin.write("quizActive.txt", "\"Blah\"\r\n");
    ctx.state.modeWord = "DISPLAY";
    windows.cursorCount = -1;
    EXPECT_EQ(quit(), "0 NextSlide,7");
    EXPECT_TRUE(windows.at(1).enabled && windows.at(2).enabled);
    EXPECT_EQ(host.pointerType, 4);
    EXPECT_GE(windows.cursorCount, 0) << "the cursor shows again";
    EXPECT_FALSE(windows.confinement.has_value());
    EXPECT_FALSE(std::filesystem::exists(addin.path() / "quizActive.txt"));
    EXPECT_NE(std::find(windows.calls.begin(), windows.calls.end(), "activate 3"), windows.calls.end())
        << "a DISPLAY run activates the presentation program's window";

    // NextSlide only when the quiz moves on; the short form's mode is the first word,
    // and only the exact word is the results table.
    const std::tuple<const char *, const char *, int, const char *> cases[] = {
        {"DISPLAY", "DISPLAY", 0, "0"},
        {"RESULTSTABLE", "RESULTSTABLE", 1, "0"},
        {"", "RESULTSTABLE", 1, "0"},
        {"resultstable", "", 1, "0 NextSlide,7"}};
    for (const auto &[modeWord, runMode, onFinish, result] : cases) {
        std::tie(ctx.state.modeWord, ctx.state.runMode, ctx.state.onFinishChoice) =
            std::tuple(modeWord, runMode, onFinish);
        EXPECT_EQ(quit(), result) << modeWord << " " << onFinish;
    }
    host.pointerFails = true; // going on after failing steps
    host.showFails = true;    // the slide now showing cannot be read
    windows.at(1).enabled = false;
    EXPECT_EQ(quit(), "0");
    EXPECT_TRUE(windows.at(1).enabled);
}

TEST_F(EndOfRunTest, QuitAndRunBrevakHandsOverToTheAddin)
{
    EXPECT_EQ(quit(QuitAndRunBrevak), "0");
    EXPECT_EQ(host.macros, (std::vector<std::string>{"Brevak"}));
    EXPECT_TRUE(windows.at(1).enabled);
    EXPECT_EQ(windows.clipboardClears, 1);
}

// The end of a DISPLAY run activates the presentation program's windows by
// the start of their titles, as activating a program by title does.
TEST(EndOfDisplayRun, ActivatesWindowsWhoseTitlesBeginWithTheText)
{
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"PowerPoint", "PowerPoint Slide Show"}, "activate 1 activate 2 "},
        {{"PowerPoint - [a.pptx]", "PowerPoint Slide Show - [a.pptx]"}, "activate 1 activate 2 "},
        {{"POWERPOINT SLIDE SHOW - x"}, "activate 1 activate 1 "}, // the first title beginning so
        {{"Microsoft PowerPoint - [a.pptx]", "Power"}, ""},        // must begin with the text
    };
    for (const auto &[titles, activated] : cases) {
        FakeRun run;
        for (size_t i = 0; i < titles.size(); ++i)
            run.windows.add(static_cast<WindowHandle>(i + 1), titles[i]);
        run.ctx.state.modeWord = "display";
        EXPECT_THROW(QuitQuiz(run.ctx), RunEnded);
        std::string got;
        for (const std::string &call : run.windows.calls)
            got += call.rfind("activate ", 0) == 0 ? call + " " : "";
        EXPECT_EQ(got, activated) << titles.front();
    }
}
