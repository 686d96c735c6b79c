// The RESULTSTABLE mode's own choices, in-process with the controller and the
// presentation program faked; its runs on the demo are end-to-end scenarios.

#include "app/desktopopen.h"
#include "app/modes/modes.h"
#include "core/controller/controllerlink.h"
#include "fakes/fakerun.h"
#include "fakes/fakeworkbookwriter.h"
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
    test::FakeRun run;
    run.host.presentationPath = folder.str() + "/show.pptx";
    run.host.addSlide({{"VOTE", "C:\\Talvix\\vote.exe q1.tlx,1"}});
    test::MemoryWriter writer;
    RunContext &ctx = run.ctx;
    ctx.state.dataFolder = folder.str();
    ControllerLink link(ctx.state, run.channel, run.pump, run.dialogs, nullptr);
    ctx.link = &link;
    ctx.workbooks = &writer;
    ctx.environment.output = folder.str() + "/summary.xls";
    EXPECT_EQ(test::runEndCode([&] {
                  runResultsTableMode(ctx);
                  rethrowLatchedRunEnd();
              }),
              0);
    ASSERT_TRUE(writer.book);
    const Sheet &sheet = writer.book->sheet(0);
    EXPECT_EQ(sheet.displayText(1, 1), "Keypad Number");
    EXPECT_EQ(sheet.displayText(2, 1), "1");
    EXPECT_EQ(sheet.displayText(9, 1), "8");
    EXPECT_EQ(run.channel.sent.back(), "GetNames");
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
