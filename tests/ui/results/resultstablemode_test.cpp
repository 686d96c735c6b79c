// The RESULTSTABLE mode's own choices, in-process with the controller and the
// presentation program faked; its runs on the demo are end-to-end scenarios.

#include "app/desktopopen.h"
#include "app/modes/modes.h"
#include "core/common/runend.h"
#include "core/controller/controllerlink.h"
#include "core/startup/runcontext.h"
#include "fakes/controllerfakes.h"
#include "fakes/fakeworkbookwriter.h"
#include "fakes/presentationfakes.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quiz
{
namespace
{

// A names list that never comes (the controller answers nothing within its
// 8 seconds) leaves no names: the first column lists the keypad numbers.
TEST(ResultsTableMode, WithoutANamesListTheFirstColumnListsTheKeypads)
{
    test::TestFolder folder;
    for (const char *file : {"votes.rec", "q1.tlx"})
        std::filesystem::copy_file(std::string(QUIZ_DEMO_DIR) + "/" + file, folder.path() / file);
    test::FakeHost host;
    host.presentationPath = folder.str() + "/show.pptx";
    host.addSlide({{"VOTE", "C:\\Talvix\\vote.exe q1.tlx,1"}});
    test::FakeChannel channel;
    test::FakePump pump;
    test::FakeDialogs dialogs;
    test::MemoryWriter writer;
    test::FakeWindowSystem windows;
    RunContext ctx;
    ctx.state.dataFolder = folder.str();
    ControllerLink link(ctx.state, channel, pump, dialogs, nullptr);
    ctx.host = &host;
    ctx.windows = &windows;
    ctx.link = &link;
    ctx.pump = &pump;
    ctx.dialogs = &dialogs;
    ctx.workbooks = &writer;
    ctx.environment.output = folder.str() + "/summary.xls";
    try {
        runResultsTableMode(ctx);
        rethrowLatchedRunEnd();
    } catch (const RunEnded &end) {
        EXPECT_EQ(end.exitCode, 0);
    }
    ASSERT_TRUE(writer.book);
    const Sheet &sheet = writer.book->sheet(0);
    EXPECT_EQ(sheet.displayText(1, 1), "Keypad Number");
    EXPECT_EQ(sheet.displayText(2, 1), "1");
    EXPECT_EQ(sheet.displayText(9, 1), "8");
    EXPECT_EQ(channel.sent.back(), "GetNames");
}

TEST(DesktopOpen, OnlyForAUserAtADesktop)
{
    ProgramEnvironment env;
    env.display = ":0";
    EXPECT_TRUE(mayOpenDesktopApplication(env, "xcb"));
    EXPECT_FALSE(mayOpenDesktopApplication(env, "offscreen"));
    const std::pair<const char *, std::string ProgramEnvironment::*> unattendedRuns[] = {
        {"TALVIX_OUTPUT", &ProgramEnvironment::output},
        {"TALVIX_UI_SCRIPT", &ProgramEnvironment::uiScript},
        {"TALVIX_DIALOGS", &ProgramEnvironment::dialogs},
        {"TALVIX_NO_OPEN", &ProgramEnvironment::noOpen}};
    for (const auto &[unattended, variable] : unattendedRuns) {
        ProgramEnvironment run = env;
        run.*variable = "x";
        EXPECT_FALSE(mayOpenDesktopApplication(run, "xcb")) << unattended;
    }
}

} // namespace
} // namespace quiz
