#include "support/rows.h"
#include "ui/diagnostics/fader.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

using namespace quiz;

// The widget's own target, counting the steps and the pauses the fade asks for.
struct CountingTarget : WidgetFadeTarget {
    using WidgetFadeTarget::WidgetFadeTarget;
    int steps = 0, waits = 0;
    std::chrono::microseconds longestWait{0};
    bool setOpacity(int opacity) override
    {
        ++steps;
        return WidgetFadeTarget::setOpacity(opacity);
    }
    void wait(std::chrono::microseconds duration) override
    {
        ++waits;
        longestWait = std::max(longestWait, duration);
        WidgetFadeTarget::wait(duration);
    }
};

using FaderRows = quiz::test::RowTest;

TEST_P(FaderRows, FadingInShowsTheWindowOpaqueAndFadingOutLeavesItShownButInvisible)
{
    const quiz::test::Row &r = GetParam();
    QWidget window;
    window.setWindowOpacity(0.3);
    if (r.flag(2))
        window.show();
    CountingTarget target(&window, true);
    Fade(target, r.num(0), r.num(1), !r.flag(2), false, false, r.flag(3));
    EXPECT_EQ(target.steps, r.num(5));
    EXPECT_LE(target.waits, r.num(6));
    EXPECT_LE(target.longestWait, std::chrono::microseconds(5000));
    EXPECT_TRUE(window.isVisible());
    EXPECT_DOUBLE_EQ(window.windowOpacity(), r.real(4));
}
QUIZ_ROWS(FaderRows, "ui/fader.rows");

TEST(Fader, OpacityIsScaledFrom255AndClampedAndRemovingLayeringMakesTheWindowOpaque)
{
    QWidget window;
    WidgetFadeTarget target(&window, true);
    const std::pair<int, double> cases[] = {{0, 0.0}, {255, 1.0}, {51, 0.2}, {-7, 0.0}, {400, 1.0}};
    for (const auto &[opacity, expected] : cases) {
        ASSERT_TRUE(target.setOpacity(opacity));
        EXPECT_NEAR(window.windowOpacity(), expected, 1.0 / 255) << opacity;
    }
    target.setOpacity(100);
    target.removeLayering();
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 1.0);
}

TEST(Fader, AWindowThatIsGoneRefusesOpacity)
{
    auto *window = new QWidget;
    WidgetFadeTarget target(window, true);
    delete window;
    EXPECT_FALSE(target.setOpacity(10));
    target.show();
    target.refresh();
}

TEST(Fader, OnTheOffscreenPlatformFadingIsPlainShowAndHide)
{
    ASSERT_FALSE(platformSupportsOpacity());
    QWidget window;
    fadeWidget(&window, 0, 255, true, false, true, true);
    EXPECT_TRUE(window.isVisible());
    fadeWidget(&window, 255, 0, false, false, false, true);
    EXPECT_FALSE(window.isVisible());
}
