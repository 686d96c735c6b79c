#include "core/startup/runcontext.h"
#include "fakes/presentationfakes.h"
#include "ui/display/frmtchartdisplay.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

struct ExportFixture : ::testing::Test {
    RunContext ctx;
    test::FakeHost host;
    std::vector<std::string> calls;
    std::unique_ptr<FrmTChartDisplay> window;

    void SetUp() override
    {
        ctx.host = &host;
        ctx.state.modeWord = "INSERT";
        ctx.state.displayAreas[0] = DisplayArea{0.5f, 0.5f, 0.25f, 0.25f};
        DisplayWindowHooks hooks;
        hooks.writeInsertCompleteMarker = [this] { calls.push_back("marker"); };
        hooks.quitQuiz = [this] { calls.push_back("quit"); };
        window = std::make_unique<FrmTChartDisplay>(ctx, hooks);
        window->resize(360, 270);
        window->chart()->setGeometry(window->rect());
        Annotation a;
        a.text = "Anna";
        a.boxTransparency = 100;
        window->chart()->addAnnotation(a);
        a.text = "12";
        a.left = 300;
        window->chart()->addAnnotation(a);
    }
};

// The paste and the placing of a normal run are end-to-end scenarios (display-one-slide).
TEST_F(ExportFixture, PermissionDeniedRemovesTheEarlierChartAndTriesAgain)
{
    int failures = 1;
    host.onUpdate = [&](const std::string &) {
        if (failures-- > 0)
            throw HostError(70, "fake", "Permission denied");
    };
    window->ExportToPowerPoint(2);
    EXPECT_EQ(host.log, (std::vector<std::string>{"paste 2", "update 2 Picture 5", "delete 2 talvix chart 1A",
                                                  "update 2 Picture 5", "update 2 talvix chart 1A"}));
    EXPECT_EQ(host.updates, 2u);
    EXPECT_EQ(calls, (std::vector<std::string>{"marker"}));
}

TEST_F(ExportFixture, OtherFailuresOrEndlessPermissionDeniedMoveOnAndStillWriteTheMarker)
{
    host.onUpdate = [](const std::string &name) {
        if (name == "Picture 5")
            throw HostError(5, "fake", "Invalid procedure call");
    };
    window->ExportToPowerPoint(1);
    EXPECT_TRUE(host.deleted.empty());
    EXPECT_EQ(host.log,
              (std::vector<std::string>{"paste 1", "update 1 Picture 5", "update 1 talvix chart 1A"}));

    host.onUpdate = [](const std::string &) { throw HostError(70, "fake", "Permission denied"); };
    window->ExportToPowerPoint(2);
    // Two steps fail; after each denied try the picture is deleted and tried again, three times.
    EXPECT_EQ(host.deleted.size(), 6u);

    host.log.clear();
    ctx.host = nullptr; // without the presentation program only the marker is written
    window->ExportToPowerPoint(1);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(calls, (std::vector<std::string>{"marker", "marker", "marker"}));
}

} // namespace
} // namespace quiz
