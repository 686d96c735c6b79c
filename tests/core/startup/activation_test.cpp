#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/startup/endofrun.h"
#include "core/startup/startup.h"
#include "fakes/presentationfakes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quiz
{
namespace
{

// The end of a DISPLAY run activates the presentation program's windows by
// the start of their titles, as activating a program by title does.
TEST(EndOfDisplayRun, ActivatesWindowsWhoseTitlesBeginWithTheText)
{
    const struct {
        std::vector<std::string> titles;
        std::vector<std::string> activated; // "activate N" calls, in order
    } cases[] = {
        {{"PowerPoint", "PowerPoint Slide Show"}, {"activate 1", "activate 2"}},
        {{"PowerPoint - [a.pptx]", "PowerPoint Slide Show - [a.pptx]"}, {"activate 1", "activate 2"}},
        {{"POWERPOINT SLIDE SHOW - x"}, {"activate 1", "activate 1"}}, // the first title beginning so
        {{"Microsoft PowerPoint - [a.pptx]", "Power"}, {}},            // must begin with the text
    };
    for (const auto &c : cases) {
        test::FakeHost host;
        test::FakeWindowSystem windows;
        for (size_t i = 0; i < c.titles.size(); ++i)
            windows.add(static_cast<WindowHandle>(i + 1), c.titles[i]);
        RunContext ctx;
        ctx.host = &host;
        ctx.windows = &windows;
        ctx.state.modeWord = "display";
        EXPECT_THROW(QuitQuiz(ctx), RunEnded);
        std::vector<std::string> activated;
        std::copy_if(windows.calls.begin(), windows.calls.end(), std::back_inserter(activated),
                     [](const std::string &call) { return call.rfind("activate ", 0) == 0; });
        EXPECT_EQ(activated, c.activated) << c.titles.front();
    }
}

TEST(PresentationFolder, RootAndNestedFolders)
{
    const std::pair<const char *, const char *> cases[] = {
        {"/show.pptx", "/"}, {"/shows/a.pptx", "/shows"}, {"show.pptx", "."}, {"/a/b/c.pptx", "/a/b"}};
    for (const auto &[path, folder] : cases)
        EXPECT_EQ(PresentationFolder(path), folder) << path;
    EXPECT_EQ(joinPath(PresentationFolder("/show.pptx"), "votes.rec"), "/votes.rec");
}

} // namespace
} // namespace quiz
