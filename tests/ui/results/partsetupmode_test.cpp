// The PARTSETUP mode's handler; its runs with the controller stand-in and the
// xlsx writer are end-to-end scenarios.

#include "app/modes/modes.h"
#include "core/common/runend.h"
#include "core/startup/runcontext.h"
#include "fakes/controllerfakes.h"
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
    test::FakeChannel channel;
    test::FakePump pump;
    test::FakeDialogs dialogs;
    test::MemoryWriter writer;
    writer.failWith = "cannot write the list";
    RunContext ctx;
    ctx.state.dataFolder = folder.str();
    ctx.controller = &channel;
    ctx.pump = &pump;
    ctx.dialogs = &dialogs;
    ctx.workbooks = &writer;
    try {
        runPartSetupMode(ctx);
        ADD_FAILURE() << "the mode returned instead of ending the run";
    } catch (const RunEnded &end) {
        EXPECT_EQ(end.exitCode, 1);
    }
    EXPECT_EQ(dialogs.said(0), "talvix Quiz|cannot write the list|critical|ok");
    EXPECT_EQ(channel.sent, (std::vector<std::string>{"CheckLink", "GetNames"}));
}

} // namespace
} // namespace quiz
