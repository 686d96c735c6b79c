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

TEST(Fader, FadingInShowsTheWindowOpaqueAndFadingOutLeavesItShownButInvisible)
{
    // With the fade on: the first opacity, the six steps of 50 (0..250 or 255..5), the last;
    // each step waits what is left of its 5 ms. With it off: the first and the last at once.
    struct Case {
        int from, to;
        bool show, chartFade;
        double opacity;
        int steps, mostWaits;
    } cases[] = {
        {0, 255, true, true, 1.0, 8, 6},
        {0, 255, true, false, 1.0, 2, 0},
        {255, 0, false, true, 0.0, 8, 6},
    };
    for (const auto &c : cases) {
        QWidget window;
        window.setWindowOpacity(0.3);
        if (!c.show)
            window.show();
        CountingTarget target(&window, true);
        Fade(target, c.from, c.to, c.show, false, false, c.chartFade);
        EXPECT_EQ(target.steps, c.steps) << c.from << "->" << c.to;
        EXPECT_LE(target.waits, c.mostWaits) << c.from << "->" << c.to;
        EXPECT_LE(target.longestWait, std::chrono::microseconds(5000));
        EXPECT_TRUE(window.isVisible());
        EXPECT_DOUBLE_EQ(window.windowOpacity(), c.opacity) << c.from << "->" << c.to;
    }
}

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
