// The PARTSETUP mode's handler; its runs with the controller stand-in and the
// xlsx writer are end-to-end scenarios.

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

} // namespace
} // namespace quiz
