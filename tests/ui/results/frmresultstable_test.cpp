// The results window on a copy of the demo presentation, with the stand-in
// host and scripted dialogs: the grids it shows, adding and removing a group.

#include "adapters/standinhost/standinhost.h"
#include "core/startup/runcontext.h"
#include "fakes/fakedialogs.h"
#include "support/testfolder.h"
#include "ui/results/frmresultstable.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace quiz
{
namespace
{

namespace fs = std::filesystem;

struct ResultsWindowTest : ::testing::Test {
    ResultsWindowTest()
    {
        fs::copy(QUIZ_DEMO_DIR, folder.path(), fs::copy_options::recursive);
        std::string error;
        host = StandInHost::open(folder.str() + "/host.json", &error);
        ctx.host = host.get();
        ctx.dialogs = &dialogs;
        ctx.state.dataFolder = folder.str();
        ctx.state.modeWord = "RESULTSTABLE";
        ResultsTableActions actions;
        actions.unload = [this] { ++unloads; };
        actions.loadNames = [] { return std::vector<Participant>{{"Alice", 2, 1}, {"Hugo", 8, 1}}; };
        window = std::make_unique<frmResultsTable>(ctx, actions);
    }
    template <typename T> T *child(const char *name) { return window->findChild<T *>(name); }
    std::string cell(const char *grid, int row, int col)
    {
        const QAbstractItemModel *m = child<QTableView>(grid)->model();
        return (row < 0 ? m->headerData(col, Qt::Horizontal) : m->index(row, col).data())
            .toString()
            .toStdString();
    }
    int columns(const char *grid) { return child<QTableView>(grid)->model()->columnCount(); }

    test::TestFolder folder;
    std::unique_ptr<StandInHost> host;
    test::FakeDialogs dialogs;
    RunContext ctx;
    std::unique_ptr<frmResultsTable> window;
    int unloads = 0;
};

TEST_F(ResultsWindowTest, ShowsTheThreeGridsOfTheDemo)
{
    ASSERT_EQ(window->Form_Load(), LoadOutcome::Ready);
    const auto *tabs = child<QTabWidget>("tabView");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(1) + "/" + tabs->tabText(2), "Results by Question/Results with Text");
    EXPECT_TRUE(tabs->isVisible());
    EXPECT_FALSE(child<QLabel>("lblLoading")->isVisible());
    EXPECT_TRUE(child<QPushButton>("cmdExit")->isVisible());

    // Four ordinary questions, three iterations, three ranked items; keypads 1 to 8.
    EXPECT_EQ(columns("grdKeypadResults"), 3 + 4 + 3 + 3);
    EXPECT_EQ(child<QTableView>("grdKeypadResults")->model()->rowCount(), 8);
    EXPECT_EQ(cell("grdKeypadResults", -1, 0), "Participant Name");
    EXPECT_EQ(cell("grdKeypadResults", -1, 1), "Raw\nScore");
    EXPECT_EQ(cell("grdKeypadResults", -1, 8), "q5.tlx   [Iteration 2]");
    EXPECT_EQ(cell("grdKeypadResults", 1, 0) + "|" + cell("grdKeypadResults", 7, 0), "Alice|Hugo");
    EXPECT_EQ(child<QTableView>("grdKeypadResults")->horizontalHeader()->sectionSize(0), 1720 / 15);
    EXPECT_EQ(cell("grdQuestionResults", 0, 0) + "|" + cell("grdQuestionResults", 0, 12), "q1.tlx|7");
    EXPECT_EQ(cell("grdQuestionFull", 0, 1) + "|" + cell("grdQuestionFull", 3, 1), "Mercury|Jupiter");

    auto *combo = child<QComboBox>("Combo_Groups");
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(0).toStdString(), "CrabExperts");
    EXPECT_TRUE(child<QPushButton>("cmd_AddGroup")->isEnabled());

    QTest::mouseClick(child<QPushButton>("cmdExit"), Qt::LeftButton);
    EXPECT_EQ(unloads, 1);
}

TEST_F(ResultsWindowTest, AddsAGroupColumnAndRemovesItOnRightClick)
{
    ASSERT_EQ(window->Form_Load(), LoadOutcome::Ready);
    auto *combo = child<QComboBox>("Combo_Groups");
    auto *add = child<QPushButton>("cmd_AddGroup");
    QTest::mouseClick(add, Qt::LeftButton); // nothing chosen
    EXPECT_EQ(columns("grdQuestionFull"), 4);
    combo->setCurrentIndex(1);
    QTest::mouseClick(add, Qt::LeftButton);
    ASSERT_EQ(columns("grdQuestionFull"), 5);
    EXPECT_EQ(cell("grdQuestionFull", -1, 4), "JupiterFans");
    EXPECT_EQ(combo->count(), 1);

    dialogs.messageAnswers = {MessageAnswer::Yes};
    window->grdQuestionFull_MouseDown(Qt::RightButton, 3); // the votes column stays, unasked
    EXPECT_TRUE(dialogs.messages.empty());
    window->grdQuestionFull_MouseDown(Qt::RightButton, 4);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "Remove JupiterFans");
    EXPECT_EQ(columns("grdQuestionFull"), 4);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_TRUE(combo->isEnabled());
}

} // namespace
} // namespace quiz
