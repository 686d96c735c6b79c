// The PARTSETUP mode against the controller stand-in, short of the program's
// start-up: the mode's handler with the real socket link and xlsx writer.

#include "adapters/controller/localsocketchannel.h"
#include "adapters/qt/qteventpump.h"
#include "app/modes/modes.h"
#include "core/common/runend.h"
#include "core/controller/controllerlink.h"
#include "core/startup/runcontext.h"
#include "support/testfolder.h"

#include "support/standin.h"
#include "support/xlsxreadback.h"
#include "fakes/controllerfakes.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

namespace quiz {
namespace {

struct PartSetupTest : ::testing::Test {
    PartSetupTest()
    {
        qputenv("TALVIX_NO_OPEN", "1");
        socketPath = folder.str() + "/ctl.sock";
        logPath = folder.str() + "/tlxctrl.log";
        data = folder.str() + "/show";
        std::filesystem::create_directories(data);
        ctx.state.dataFolder = data;
        ctx.state.addinFolder = folder.str() + "/addin/";
        ctx.pump = &pump;
        ctx.dialogs = &dialogs;
    }

    void startStandIn(const std::string &names)
    {
        const auto namesPath = folder.write("names.csv", names).string();
        standIn = std::make_unique<test::StandIn>(
            socketPath, QStringList{"--names", QString::fromStdString(namesPath), "--log",
                                    QString::fromStdString(logPath)});
        ASSERT_TRUE(standIn->started());
        channel = std::make_unique<LocalSocketChannel>(socketPath);
        test::waitUntil([this] { return channel->controllerRunning(); });
        ctx.controller = channel.get();
    }

    int run()
    {
        try {
            runPartSetupMode(ctx);
        } catch (const RunEnded &end) {
            return end.exitCode;
        }
        ADD_FAILURE() << "the mode returned instead of ending the run";
        return -1;
    }

    std::string workbookPath() const { return data + "/talvix Participant list.xls"; }
    std::string log() const { return folder.read("tlxctrl.log"); }

    test::TestFolder folder;
    std::string socketPath, logPath, data;
    std::unique_ptr<test::StandIn> standIn;
    std::unique_ptr<LocalSocketChannel> channel;
    QtEventPump pump;
    test::FakeDialogs dialogs;
    RunContext ctx;
};

std::vector<std::vector<std::string>> sheetRows(const test::ReadSheet &sheet, int rows)
{
    std::vector<std::vector<std::string>> out;
    for (int r = 1; r <= rows; ++r) {
        std::vector<std::string> row;
        for (const char *column : {"A", "B", "C"}) {
            const auto it = sheet.cells.find(column + std::to_string(r));
            row.push_back(it == sheet.cells.end() ? "(none)" : it->second.value);
        }
        out.push_back(row);
    }
    return out;
}

TEST_F(PartSetupTest, BuildsTheListFromTheControllersNamesSorted)
{
    startStandIn("Keypad,Name,Weighting\n3,Ann,1\n1,Bob,2\n");
    folder.write("show/Names.TXT", "old names");
    EXPECT_EQ(run(), 0);

    const auto read = test::readXlsx(workbookPath());
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(read.sheets.size(), 1u);
    EXPECT_EQ(sheetRows(read.sheets[0], 3), (std::vector<std::vector<std::string>>{
                                                {"Keypad", "Name", "Weighting"}, {"1", "Bob", "2"}, {"3", "Ann", "1"}}));
    EXPECT_EQ(read.sheets[0].cells.size(), 9u);
    EXPECT_EQ(read.sheets[0].selected, "A1");
    EXPECT_EQ(read.sheets[0].columnWidths.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(data + "/Names.TXT"));
    EXPECT_EQ(log(), "CheckLink\nGetNames\n");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(PartSetupTest, NoNamesGiveTenPlaceholderRowsThroughTheSharedLink)
{
    startStandIn("");
    ControllerLink link(ctx.state, *ctx.controller, pump, dialogs, nullptr);
    ctx.link = &link;
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(link.loaded());

    const auto read = test::readXlsx(workbookPath());
    ASSERT_TRUE(read.ok) << read.error;
    // The placeholder rows themselves are checked on the workbook model.
    const auto rows = sheetRows(read.sheets.at(0), 12);
    EXPECT_EQ(rows[10], (std::vector<std::string>{"10", "10", "1"}));
    EXPECT_EQ(rows[11], (std::vector<std::string>{"(none)", "(none)", "(none)"}));
    EXPECT_EQ(log(), "CheckLink\nGetNames\n");
}

TEST_F(PartSetupTest, AnExistingListIsLeftAsItIsWithoutAskingTheController)
{
    startStandIn("1,Bob,2\n");
    folder.write("show/TALVIX PARTICIPANT LIST.XLS", "the user's own list");
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(folder.read("show/TALVIX PARTICIPANT LIST.XLS"), "the user's own list");
    EXPECT_FALSE(std::filesystem::exists(workbookPath()));
    EXPECT_EQ(log(), "");
}

TEST_F(PartSetupTest, AFolderThatCannotTakeTheFileShowsWhyAndEndsTheRun)
{
    startStandIn("1,Bob,2\n");
    ctx.state.dataFolder = folder.str() + "/missing folder";
    EXPECT_EQ(run(), 1);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, "talvix Quiz");
    EXPECT_FALSE(dialogs.messages[0].text.empty());
}

} // namespace
} // namespace quiz
