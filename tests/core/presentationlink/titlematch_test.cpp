#include "core/votedata/presentationlink.h"
#include "core/votedata/titlematch.h"
#include "fakes/presentationfakes.h"

#include <gtest/gtest.h>

namespace quiz {
namespace {

using test::FakeHost;
using test::FakeWindowSystem;

struct WildcardCase {
    const char *text;
    const char *pattern;
    bool matches;
};

class WildcardTable : public ::testing::TestWithParam<WildcardCase> {};

TEST_P(WildcardTable, MatchesWholeText)
{
    const auto &c = GetParam();
    EXPECT_EQ(WildcardMatch(c.text, c.pattern), c.matches) << c.text << " vs " << c.pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, WildcardTable,
    ::testing::Values(WildcardCase{"ABC", "ABC", true}, WildcardCase{"ABC", "AB", false},
                      WildcardCase{"ABC", "ABCD", false}, WildcardCase{"ABC", "A?C", true},
                      WildcardCase{"AC", "A?C", false}, WildcardCase{"ABBC", "A?C", false},
                      WildcardCase{"", "*", true}, WildcardCase{"", "?", false}, WildcardCase{"", "", true},
                      WildcardCase{"X", "", false}, WildcardCase{"ABC", "*", true},
                      WildcardCase{"ABC", "A*", true}, WildcardCase{"ABC", "*C", true},
                      WildcardCase{"ABC", "*B", false}, WildcardCase{"AXXBXXB", "A*B", true},
                      WildcardCase{"AXXBXXC", "A*B*B", false}, WildcardCase{"AB", "A**B", true},
                      WildcardCase{"abc", "ABC", false}, WildcardCase{"A*C", "A*C", true},
                      // "?" is one character, also when it takes several bytes
                      WildcardCase{"CAF\xC3\x89", "CAF?", true}, WildcardCase{"CAF\xC3\x89", "CAF??", false},
                      WildcardCase{"TALVIX_CONTROLLER", "TALVIX_CONTROLLER", true},
                      WildcardCase{"POWERPOINT SLIDE SHOW - [QUIZ.PPT]", "*POWERPOINT SLIDE SHOW -*", true},
                      WildcardCase{"MICROSOFT POWERPOINT - [QUIZ.PPT]", "*MICROSOFT*POWERPOINT*", true},
                      WildcardCase{"MICROSOFT POWERPOINT - [QUIZ.PPT]", "*POWERPOINT SLIDE SHOW -*", false}));

TEST(SearchableTitle, KeepsAtMost128Characters)
{
    EXPECT_EQ(SearchableTitle(std::string(200, 'a')).size(), 128u);
    EXPECT_EQ(SearchableTitle("short"), "short");
    std::string accented;
    for (int i = 0; i < 130; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(SearchableTitle(accented).size(), 256u); // 128 two-byte characters, none cut
}

class WindowSearch : public ::testing::Test {
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

TEST_F(WindowSearch, ShowWindowIsFoundAndListed)
{
    ws.add(1, "Microsoft PowerPoint - [Quiz.ppt]", {0, 0, 1024, 768});
    ws.add(2, "PowerPoint Slide Show - [Quiz.ppt]", {0, 0, 800, 600});

    EXPECT_EQ(FindWindowByTitle(ctx, "*PowerPoint Slide Show -*", false), 2);
    EXPECT_TRUE(WindowExists(ctx, "*PowerPoint Slide Show -*"));
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(ctx.state.showWindows, (std::vector<WindowHandle>{2, 0}));
    EXPECT_EQ(ctx.state.pptWindows, (std::vector<WindowHandle>{1, 0}));
    EXPECT_EQ(ctx.state.pptWindowRect, (PixelRect{0, 0, 1024, 768}));
}

TEST_F(WindowSearch, BareProgramTitleMatchesTheShowSearchOnly)
{
    ws.add(4, "PowerPoint - x");
    EXPECT_EQ(FindWindowByTitle(ctx, "*PowerPoint Slide Show -*", false), 4);
    EXPECT_EQ(FindWindowByTitle(ctx, "*Microsoft*PowerPoint*", false), 0);
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(ctx.state.showWindows, (std::vector<WindowHandle>{4, 0}));
    EXPECT_EQ(ctx.state.pptWindows, (std::vector<WindowHandle>{0}));
}

TEST_F(WindowSearch, MainWindowIsListedOnlyAsMainWindow)
{
    ws.add(7, "Microsoft PowerPoint - [Quiz.ppt]", {10, 20, 300, 200});
    EXPECT_EQ(FindWindowByTitle(ctx, "*PowerPoint Slide Show -*", false), 0);
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(ctx.state.showWindows, (std::vector<WindowHandle>{0}));
    EXPECT_EQ(ctx.state.pptWindows, (std::vector<WindowHandle>{7, 0}));
    EXPECT_EQ(ctx.state.pptWindowRect, (PixelRect{10, 20, 300, 200}));
}

TEST_F(WindowSearch, MainWindowNamingAShowMatchesTheShowSearch)
{
    ws.add(3, "Microsoft PowerPoint - [Quiz.ppt] PowerPoint-Show");
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(ctx.state.showWindows, (std::vector<WindowHandle>{3, 0}));
    EXPECT_EQ(ctx.state.pptWindows, (std::vector<WindowHandle>{3, 0}));
}

TEST_F(WindowSearch, HiddenChildAndUntitledWindowsNeverMatch)
{
    ws.add(1, "PowerPoint Slide Show - [a.ppt]").visible = false;
    ws.add(2, "PowerPoint Slide Show - [b.ppt]").hasParent = true;
    ws.add(3, "");
    ws.add(4, "Microsoft PowerPoint - [c.ppt]").visible = false;
    EXPECT_FALSE(WindowExists(ctx, "*"));
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(ctx.state.showWindows, (std::vector<WindowHandle>{0}));
    EXPECT_EQ(ctx.state.pptWindows, (std::vector<WindowHandle>{0}));
}

TEST_F(WindowSearch, FirstMatchInZOrderWinsAndCaseMattersOnlyWhenAsked)
{
    ws.add(5, "Quiz");
    ws.add(6, "quiz");
    EXPECT_EQ(FindWindowByTitle(ctx, "quiz", false), 5);
    EXPECT_EQ(FindWindowByTitle(ctx, "quiz", true), 6);
    EXPECT_EQ(FindWindowByTitle(ctx, "Q?IZ", false), 5);
    EXPECT_EQ(FindWindowByTitle(ctx, "Q?IZ", true), 0);
    EXPECT_EQ(FindWindowByTitle(ctx, "Qu*", true), 5);
    EXPECT_EQ(FindWindowByTitle(ctx, "Qui", false), 0); // whole title only
}

TEST_F(WindowSearch, ControllerTitleMatchesExactly)
{
    ws.add(9, "talvix_controller");
    ws.add(10, "talvix_controller 2");
    EXPECT_EQ(FindWindowByTitle(ctx, "talvix_controller", false), 9);
    ws.windows.erase(ws.windows.begin());
    EXPECT_FALSE(WindowExists(ctx, "talvix_controller"));
}

TEST_F(WindowSearch, SeveralWindowsListedInOrderEndingWithZero)
{
    ws.add(1, "Microsoft PowerPoint - [a.ppt]", {0, 0, 100, 100});
    ws.add(2, "PowerPoint Slide Show - [a.ppt]");
    ws.add(3, "Microsoft PowerPoint - [b.ppt]", {5, 5, 50, 50});
    ws.add(4, "PowerPoint Slide Show - [b.ppt]");
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(ctx.state.pptWindows, (std::vector<WindowHandle>{1, 3, 0}));
    EXPECT_EQ(ctx.state.showWindows, (std::vector<WindowHandle>{2, 4, 0}));
    EXPECT_EQ(ctx.state.pptWindowRect, (PixelRect{5, 5, 50, 50})); // the last one found
}

TEST_F(WindowSearch, CollectingForgetsWindowsOfThePreviousCollection)
{
    ws.add(1, "Microsoft PowerPoint - [a.ppt]", {1, 2, 3, 4});
    ws.add(2, "PowerPoint Slide Show - [a.ppt]");
    CollectPowerPointWindows(ctx);
    ws.windows.clear();
    CollectPowerPointWindows(ctx);
    EXPECT_EQ(ctx.state.pptWindows, (std::vector<WindowHandle>{0}));
    EXPECT_EQ(ctx.state.showWindows, (std::vector<WindowHandle>{0}));
    EXPECT_EQ(ctx.state.pptWindowRect, PixelRect{});
    // A plain search after a collecting one stops at its first match again.
    ws.add(8, "Microsoft PowerPoint - [a.ppt]");
    ws.add(9, "Microsoft PowerPoint - [b.ppt]");
    EXPECT_EQ(FindWindowByTitle(ctx, "*Microsoft*PowerPoint*", false), 8);
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
