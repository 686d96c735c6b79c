// The PARTSETUP mode's handler and when a mode may open what it wrote on the
// desktop; their runs with the controller stand-in and the xlsx writer are
// end-to-end scenarios.

#include "app/desktopopen.h"
#include "app/modes/modes.h"
#include "fakes/fakerun.h"
#include "fakes/fakeworkbookwriter.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(PartSetupMode, AFileThatCannotBeWrittenShowsWhyAndEndsTheRun)
{
    test::TestFolder folder;
    test::FakeRun run;
    test::MemoryWriter writer;
    writer.failWith = "cannot write the list";
    run.ctx.state.dataFolder = folder.str();
    run.ctx.workbooks = &writer;
    EXPECT_EQ(test::runEndCode([&] { runPartSetupMode(run.ctx); }), 1);
    EXPECT_EQ(run.dialogs.said(0), "talvix Quiz|cannot write the list|critical|ok");
    EXPECT_EQ(run.channel.sent, (std::vector<std::string>{"CheckLink", "GetNames"}));
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
