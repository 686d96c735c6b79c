#include "ui/display/frmtchartdisplay.h"

#include "core/startup/runcontext.h"
#include "support/rows.h"
#include "support/wait.h"

#include <QApplication>
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
struct DisplayFixture : ::testing::Test {
    RunContext ctx;
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
    QWidget *target =
        GetParam().name == "chart" ? static_cast<QWidget *>(window->chart()) : window->focusButton();
    QTest::keyClick(target, key.key(),
                    key.keyboardModifiers() |
                        (key.key() == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier));
    EXPECT_EQ(calls, GetParam().list(1));
}
QUIZ_ROWS(Keys, "ui/displaykeys.rows");

TEST_F(DisplayFixture, KeysOnTheShownWindowReachTheWindow)
{
    showWindow();
    window->focusButton()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(calls, (std::vector<std::string>{"fade 255-0", "quit 1"}));
    EXPECT_FALSE(window->isVisible()); // faded out
}

TEST_F(DisplayFixture, TheWindowsOwnCtrlQIsThePlainQ)
{
    window->formKeyDown(81, 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"fade 255-0", "quit 0"}));
}

TEST_F(DisplayFixture, AClickOnTheChartOrTheFocusButtonEndsTheDisplayKeepingTheChoice)
{
    showWindow();
    QTest::mousePress(window->chart(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    QTest::mouseRelease(window->chart(), Qt::LeftButton, Qt::NoModifier, QPoint(500, 50));
    EXPECT_TRUE(calls.empty()) << "released elsewhere is no click";
    QTest::mouseClick(window->chart(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    window->focusButton()->click();
    EXPECT_EQ(calls, (std::vector<std::string>{"quit 1", "quit 1"}));
}

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

} // namespace
} // namespace quiz
