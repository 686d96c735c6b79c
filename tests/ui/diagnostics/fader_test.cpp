#include "ui/diagnostics/fader.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>

using namespace quiz;

TEST(Fader, FadingInShowsTheWindowOpaqueAndFadingOutLeavesItShownButInvisible)
{
    struct Case {
        int from, to;
        bool show, chartFade;
        double opacity;
        std::chrono::milliseconds atLeast; // six intermediate steps of at least 5 ms each
    } cases[] = {
        {0, 255, true, true, 1.0, std::chrono::milliseconds(30)},
        {0, 255, true, false, 1.0, std::chrono::milliseconds(0)}, // the fade setting off jumps to the end
        {255, 0, false, true, 0.0, std::chrono::milliseconds(30)},
    };
    for (const auto &c : cases) {
        QWidget window;
        window.setWindowOpacity(0.3);
        if (!c.show)
            window.show();
        WidgetFadeTarget target(&window, true);
        const auto start = std::chrono::steady_clock::now();
        Fade(target, c.from, c.to, c.show, false, false, c.chartFade);
        EXPECT_GE(std::chrono::steady_clock::now() - start, c.atLeast) << c.from << "->" << c.to;
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
