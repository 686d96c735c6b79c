#include "ui/display/frmtchartdisplay.h"

#include "core/startup/runcontext.h"
#include "displayfakes.h"

#include <QApplication>
#include <QLabel>
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

struct KeyCase {
    const char *name;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    std::vector<std::string> calls;
};

const std::vector<KeyCase> &keyCases()
{
    const std::vector<std::string> on{"fade 255-0", "quit 1"}, stay{"fade 255-0", "quit 0"};
    // clang-format off
    static const std::vector<KeyCase> cases{
        {"Space", Qt::Key_Space, Qt::NoModifier, on}, {"Enter", Qt::Key_Return, Qt::NoModifier, on},
        {"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, on}, {"N", Qt::Key_N, Qt::NoModifier, on},
        {"Right", Qt::Key_Right, Qt::NoModifier, on}, {"Down", Qt::Key_Down, Qt::NoModifier, on},
        {"PageDown", Qt::Key_PageDown, Qt::NoModifier, on}, {"ShiftSpace", Qt::Key_Space, Qt::ShiftModifier, on},
        {"Q", Qt::Key_Q, Qt::NoModifier, stay}, {"Escape", Qt::Key_Escape, Qt::NoModifier, stay},
        {"PageUp", Qt::Key_PageUp, Qt::NoModifier, stay}, {"Up", Qt::Key_Up, Qt::NoModifier, stay},
        {"Left", Qt::Key_Left, Qt::NoModifier, stay}, {"P", Qt::Key_P, Qt::NoModifier, stay},
        {"Backspace", Qt::Key_Backspace, Qt::NoModifier, stay},
        {"AltShiftQ", Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier, stay},
        {"AltQ", Qt::Key_Q, Qt::AltModifier, {"fade 255-0", "brevak"}},
        {"A", Qt::Key_A, Qt::NoModifier, {}}, {"Tab", Qt::Key_Tab, Qt::NoModifier, {}},
        {"F5", Qt::Key_F5, Qt::NoModifier, {}},
    };
    // clang-format on
    return cases;
}

TEST_F(DisplayFixture, KeysOnTheFocusButtonEndTheDisplayAsTheyShould)
{
    for (const KeyCase &c : keyCases()) {
        calls.clear();
        ctx.state.onFinishChoice = 1;
        QTest::keyClick(window->focusButton(), c.key, c.modifiers);
        EXPECT_EQ(calls, c.calls) << c.name;
    }
}

TEST_F(DisplayFixture, KeysOnTheShownWindowReachTheWindow)
{
    showWindow();
    window->focusButton()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(calls, (std::vector<std::string>{"fade 255-0", "quit 1"}));
    EXPECT_FALSE(window->isVisible()); // faded out
}

TEST_F(DisplayFixture, KeysOnTheChartMapTheChartsShiftToTheWindows)
{
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        std::vector<std::string> calls;
    } cases[] = {
        {Qt::Key_Q, Qt::AltModifier, {"fade 255-0", "brevak"}},     // the chart's Alt (2) is the window's 4
        {Qt::Key_Q, Qt::ControlModifier, {"fade 255-0", "brevak"}}, // the chart's Ctrl (4) too
        {Qt::Key_N, Qt::NoModifier, {"fade 255-0", "quit 1"}},
        {Qt::Key_A, Qt::NoModifier, {}},
    };
    for (const auto &c : cases) {
        calls.clear();
        QTest::keyClick(window->chart(), c.key, c.modifiers);
        EXPECT_EQ(calls, c.calls) << c.key;
    }
    calls.clear();
    window->formKeyDown(81, 2); // the window's own Ctrl+Q is the plain Q
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

TEST_F(DisplayFixture, ControlsCarryTheirNames)
{
    EXPECT_EQ(window->objectName(), "FrmTChartDisplay");
    EXPECT_EQ(window->windowTitle(), "talvix - Quiz Results");
    EXPECT_NE(window->findChild<ChartCanvas *>("TChart"), nullptr);
    EXPECT_NE(window->findChild<QPushButton *>("cmdFocus"), nullptr);
    EXPECT_NE(window->findChild<QLabel *>("Picture1"), nullptr);
    QTimer *timer = window->findChild<QTimer *>("tmr_SetFocus");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 100);
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(window->focusButton()->x(), -1000);
}

TEST_F(DisplayFixture, FocusTimerClaimsTheFocusFourTimesThenStops)
{
    showWindow();
    window->enableFocusTimer();
    for (int tick = 1; tick <= 4; ++tick) {
        window->tmr_SetFocus_Timer();
        EXPECT_EQ(window->focusClaimCount(), tick);
        EXPECT_TRUE(window->focusTimer()->isActive());
    }
    window->tmr_SetFocus_Timer();
    EXPECT_EQ(window->focusClaimCount(), 4);
    EXPECT_FALSE(window->focusTimer()->isActive());
    EXPECT_TRUE(window->focusButton()->hasFocus());
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
    QTRY_VERIFY_WITH_TIMEOUT(!window->focusTimer()->isActive(), 3000);
    EXPECT_EQ(window->focusTickCount(), 5);
    EXPECT_EQ(window->focusClaimCount(), 4);
}

} // namespace
} // namespace quiz
