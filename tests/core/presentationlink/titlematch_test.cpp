#include "core/votedata/presentationlink.h"
#include "core/votedata/titlematch.h"
#include "fakes/presentationfakes.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using test::FakeHost;
using test::FakeWindowSystem;

TEST(WildcardMatch, MatchesTheWholeText)
{
    struct Case {
        const char *text, *pattern;
        bool matches;
    } cases[] = {
        // clang-format off
        {"ABC", "ABC", true}, {"ABC", "AB", false}, {"ABC", "ABCD", false}, {"ABC", "A?C", true},
        {"AC", "A?C", false}, {"ABBC", "A?C", false}, {"", "*", true}, {"", "?", false}, {"", "", true},
        {"X", "", false}, {"ABC", "*", true}, {"ABC", "A*", true}, {"ABC", "*C", true}, {"ABC", "*B", false},
        {"AXXBXXB", "A*B", true}, {"AXXBXXC", "A*B*B", false}, {"AB", "A**B", true}, {"abc", "ABC", false},
        {"A*C", "A*C", true},
        // "?" is one character, also when it takes several bytes
        {"CAF\xC3\x89", "CAF?", true}, {"CAF\xC3\x89", "CAF??", false},
        {"POWERPOINT SLIDE SHOW - [QUIZ.PPT]", "*POWERPOINT SLIDE SHOW -*", true},
        {"MICROSOFT POWERPOINT - [QUIZ.PPT]", "*MICROSOFT*POWERPOINT*", true},
        {"MICROSOFT POWERPOINT - [QUIZ.PPT]", "*POWERPOINT SLIDE SHOW -*", false},
        // clang-format on
    };
    for (const auto &c : cases)
        EXPECT_EQ(WildcardMatch(c.text, c.pattern), c.matches) << c.text << " vs " << c.pattern;
}

TEST(SearchableTitle, KeepsAtMost128Characters)
{
    EXPECT_EQ(SearchableTitle(std::string(200, 'a')).size(), 128u);
    EXPECT_EQ(SearchableTitle("short"), "short");
    std::string accented;
    for (int i = 0; i < 130; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(SearchableTitle(accented).size(), 256u); // 128 two-byte characters, none cut
}

class WindowSearch : public ::testing::Test
{
  protected:
    FakeWindowSystem ws;
    FakeHost host;
    RunContext ctx;
    void SetUp() override
    {
        ctx.windows = &ws;
        ctx.host = &host;
    }
};

TEST_F(WindowSearch, CollectingListsShowAndMainWindowsInOrderEndingWithZero)
{
    using H = std::vector<WindowHandle>;
    struct Window {
        WindowHandle handle;
        const char *title;
        bool visible = true, child = false;
    };
    struct Case {
        const char *name;
        std::vector<Window> windows;
        H shows, mains;
    } cases[] = {
        {"show and main",
         {{1, "Microsoft PowerPoint - [Quiz.ppt]"}, {2, "PowerPoint Slide Show - [Quiz.ppt]"}},
         {2, 0},
         {1, 0}},
        {"a bare program title counts as a show only", {{4, "PowerPoint - x"}}, {4, 0}, {0}},
        {"a main window naming a show is both",
         {{3, "Microsoft PowerPoint - [Quiz.ppt] PowerPoint-Show"}},
         {3, 0},
         {3, 0}},
        {"hidden, child and untitled windows never match",
         {{1, "PowerPoint Slide Show - [a.ppt]", false},
          {2, "PowerPoint Slide Show - [b.ppt]", true, true},
          {3, ""},
          {4, "Microsoft PowerPoint - [c.ppt]", false}},
         {0},
         {0}},
        {"several",
         {{1, "Microsoft PowerPoint - [a.ppt]"},
          {2, "PowerPoint Slide Show - [a.ppt]"},
          {3, "Microsoft PowerPoint - [b.ppt]"},
          {4, "PowerPoint Slide Show - [b.ppt]"}},
         {2, 4, 0},
         {1, 3, 0}},
        {"none: the previous collection is forgotten", {}, {0}, {0}},
    };
    for (const auto &c : cases) {
        ws.windows.clear();
        for (const Window &w : c.windows) {
            WindowInfo &info = ws.add(w.handle, w.title, {int(w.handle), 0, 100, 100});
            info.visible = w.visible;
            info.hasParent = w.child;
        }
        CollectPowerPointWindows(ctx);
        EXPECT_EQ(ctx.state.showWindows, c.shows) << c.name;
        EXPECT_EQ(ctx.state.pptWindows, c.mains) << c.name;
        // The rectangle is the last main window's found.
        const PixelRect last =
            c.mains.size() > 1 ? PixelRect{int(c.mains[c.mains.size() - 2]), 0, 100, 100} : PixelRect{};
        EXPECT_EQ(ctx.state.pptWindowRect, last) << c.name;
    }
}

TEST_F(WindowSearch, FindingTakesTheFirstMatchInZOrderAndCaseMattersOnlyWhenAsked)
{
    ws.add(1, "Microsoft PowerPoint - [Quiz.ppt]");
    ws.add(2, "PowerPoint Slide Show - [Quiz.ppt]");
    ws.add(5, "Quiz");
    ws.add(6, "quiz");
    ws.add(9, "talvix_controller 2");
    EXPECT_EQ(FindWindowByTitle(ctx, "*PowerPoint Slide Show -*", false), 2);
    EXPECT_TRUE(WindowExists(ctx, "*PowerPoint Slide Show -*"));
    EXPECT_EQ(FindWindowByTitle(ctx, "quiz", false), 5);
    EXPECT_EQ(FindWindowByTitle(ctx, "quiz", true), 6);
    EXPECT_EQ(FindWindowByTitle(ctx, "Q?IZ", false), 5);
    EXPECT_EQ(FindWindowByTitle(ctx, "Q?IZ", true), 0);
    EXPECT_EQ(FindWindowByTitle(ctx, "Qu*", true), 5);
    EXPECT_EQ(FindWindowByTitle(ctx, "Qui", false), 0); // whole title only
    EXPECT_FALSE(WindowExists(ctx, "talvix_controller"));
    // A plain search after a collecting one stops at its first match again.
    ws.add(8, "PowerPoint - x");
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(FindWindowByTitle(ctx, "*PowerPoint*", false), 1);
    EXPECT_EQ(FindWindowByTitle(ctx, "*Microsoft*PowerPoint*", false), 1);
}

TEST_F(WindowSearch, HostSuppliesItsOwnWindowTitles)
{
    host.patterns.anyWindow = "*Impress*";
    host.patterns.mainWindow = "* - LibreOffice Impress";
    host.patterns.showWindow = "Presenting: *";
    ws.add(1, "show.odp - LibreOffice Impress", {0, 0, 640, 480});
    ws.add(2, "Presenting: show.odp");
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(ctx.state.pptWindows, (std::vector<WindowHandle>{1, 0}));
    EXPECT_EQ(ctx.state.showWindows, (std::vector<WindowHandle>{2, 0}));
}

} // namespace
} // namespace quiz
