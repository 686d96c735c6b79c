#include "ui/display/frmtchartdisplay.h"

#include "fakes/fakerun.h"
#include "support/rows.h"
#include "support/wait.h"

#include <QKeySequence>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// A display window whose ends are recorded instead of ending the run.
struct DisplayFixture : ::testing::Test, test::FakeRun {
    std::vector<std::string> calls; // "fade 255-0", "quit 1", "brevak", "marker"
    std::unique_ptr<FrmTChartDisplay> window;

    void SetUp() override
    {
        ctx.state.modeWord = "DISPLAY";
        DisplayWindowHooks hooks;
        hooks.quitQuiz = [this] { calls.push_back("quit " + std::to_string(ctx.state.onFinishChoice)); };
        hooks.quitAndRunBrevak = [this] { calls.push_back("brevak"); };
        hooks.fade = [this](QWidget *w, int from, int to, bool show) {
            calls.push_back("fade " + std::to_string(from) + "-" + std::to_string(to) +
                            (show ? " show" : ""));
            if (to == 0)
                w->hide();
        };
        hooks.writeInsertCompleteMarker = [this] { calls.push_back("marker"); };
        window = std::make_unique<FrmTChartDisplay>(ctx, hooks);
        window->resize(400, 300);
        window->chart()->setGeometry(window->rect()); // as the composition leaves it
    }

    void showWindow()
    {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
};

class Keys : public DisplayFixture, public ::testing::WithParamInterface<test::Row>
{
};

TEST_P(Keys, EndTheDisplayAsTheyShould)
{
    const QKeyCombination key = QKeySequence::fromString(QString::fromStdString(GetParam()[0]))[0];
    ctx.state.onFinishChoice = 1;
    const std::string &where = GetParam().name;
    QWidget *target = where == "chart"    ? static_cast<QWidget *>(window->chart())
                      : where == "window" ? static_cast<QWidget *>(window.get())
                                          : window->focusButton();
    QTest::keyClick(target, key.key(),
                    key.keyboardModifiers() |
                        (key.key() == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier));
    EXPECT_EQ(calls, GetParam().list(1));
}
QUIZ_ROWS(Keys, "ui/displaykeys.rows");

TEST_F(DisplayFixture, ChartTakesTheFocusWhenClickedIntoOnlyInTheDisplayMode)
{
    showWindow();
    for (const char *mode : {"INSERT", "DISPLAY"}) {
        ctx.state.modeWord = mode;
        window->focusButton()->setFocus();
        QTest::mousePress(window->chart(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTest::mouseRelease(window->chart(), Qt::LeftButton, Qt::NoModifier, QPoint(500, 10));
        EXPECT_EQ(window->chart()->hasFocus(), std::string(mode) == "DISPLAY") << mode;
    }
}

TEST_F(DisplayFixture, FocusTimerDoesNotClaimForAHiddenOrDisabledWindow)
{
    window->tmr_SetFocus_Timer(); // hidden
    showWindow();
    window->setEnabled(false);
    window->tmr_SetFocus_Timer();
    window->setEnabled(true);
    window->tmr_SetFocus_Timer();
    EXPECT_EQ(window->focusClaimCount(), 1);
    EXPECT_EQ(window->focusTickCount(), 3);
}

TEST_F(DisplayFixture, FocusTimerStopsByItselfAfterAboutHalfASecond)
{
    showWindow();
    window->enableFocusTimer();
    EXPECT_TRUE(window->focusTimer()->isActive());
    ASSERT_TRUE(test::waitUntil([&] { return !window->focusTimer()->isActive(); }, 3000));
    EXPECT_EQ(window->focusTickCount(), 5);
    EXPECT_EQ(window->focusClaimCount(), 4); // four claims, then the fifth tick stops it
    EXPECT_TRUE(window->focusButton()->hasFocus());
}

// A chart being put on slides in the INSERT mode (its texts made boxless and its
// picture pasted: the display-one-slide scenario).
struct ExportFixture : DisplayFixture {
    void SetUp() override
    {
        DisplayFixture::SetUp();
        ctx.state.modeWord = "INSERT";
        ctx.state.displayAreas[0] = DisplayArea{0.5f, 0.5f, 0.25f, 0.25f};
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
