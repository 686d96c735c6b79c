#include "core/votedata/presentationlink.h"
#include "core/votedata/titlematch.h"
#include "fakes/presentationfakes.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using test::FakeHost;
using test::FakeWindowSystem;

using Wildcard = test::RowTest;

TEST_P(Wildcard, MatchesTheWholeText)
{
    EXPECT_EQ(WildcardMatch(GetParam()[0], GetParam()[1]), GetParam().flag(2));
}
QUIZ_ROWS(Wildcard, "presentationlink/wildcard.rows");

TEST(SearchableTitle, KeepsAtMost128Characters)
{
    std::string accented;
    for (int i = 0; i < 130; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(SearchableTitle(accented).size(), 256u); // 128 two-byte characters, none cut
    EXPECT_EQ(SearchableTitle("short"), "short");
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

class Collecting : public WindowSearch, public ::testing::WithParamInterface<test::Row>
{
};

std::vector<WindowHandle> handles(const test::Row &row, size_t i)
{
    std::vector<WindowHandle> out;
    for (const std::string &h : row.list(i))
        out.push_back(std::stoi(h));
    return out;
}

// Collecting lists the show and main windows in Z order, ending with 0; the
// rectangle is the last main window's found, and a previous collection is forgotten.
TEST_P(Collecting, ListsShowAndMainWindows)
{
    ws.add(7, "PowerPoint Slide Show - [old.ppt]");
    CollectPowerPointWindows(ctx);
    ws.windows.clear();
    for (const std::string &w : GetParam().list(0, ';')) {
        const std::string head = w.substr(0, w.find(':'));
        const int handle = std::stoi(head);
        WindowInfo &info = ws.add(handle, w.substr(w.find(':') + 1), {handle, 0, 100, 100});
        info.visible = head.find('h') == std::string::npos;
        info.hasParent = head.find('c') != std::string::npos;
    }
    CollectPowerPointWindows(ctx);
    const auto mains = handles(GetParam(), 2);
    EXPECT_EQ(ctx.state.showWindows, handles(GetParam(), 1));
    EXPECT_EQ(ctx.state.pptWindows, mains);
    const PixelRect last =
        mains.size() > 1 ? PixelRect{int(mains[mains.size() - 2]), 0, 100, 100} : PixelRect{};
    EXPECT_EQ(ctx.state.pptWindowRect, last);
}
QUIZ_ROWS(Collecting, "presentationlink/windows.rows");

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
