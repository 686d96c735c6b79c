#include "ui/diagnostics/fader.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>

using namespace quiz;

TEST(Fader, FadeInShowsTheWindowFullyOpaque)
{
    QWidget window;
    window.setWindowOpacity(0.3);
    WidgetFadeTarget target(&window, true);
    const auto start = std::chrono::steady_clock::now();
    Fade(target, 0, 255, true, false, false, true);
    const auto spent = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(window.isVisible());
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 1.0);
    // Six intermediate steps of at least 5 ms each.
    EXPECT_GE(spent, std::chrono::milliseconds(30));
}

TEST(Fader, FadeSettingOffJumpsStraightToTheEnd)
{
    QWidget window;
    WidgetFadeTarget target(&window, true);
    Fade(target, 0, 255, true, false, false, false);
    EXPECT_TRUE(window.isVisible());
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 1.0);
}

TEST(Fader, FadeOutLeavesTheWindowShownButInvisible)
{
    QWidget window;
    window.show();
    WidgetFadeTarget target(&window, true);
    Fade(target, 255, 0, false, false, false, true);
    EXPECT_TRUE(window.isVisible());
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 0.0);
}

TEST(Fader, OpacityIsScaledFrom255AndClamped)
{
    QWidget window;
    WidgetFadeTarget target(&window, true);
    const std::pair<int, double> cases[] = {{0, 0.0}, {255, 1.0}, {51, 0.2}, {-7, 0.0}, {400, 1.0}};
    for (const auto &[opacity, expected] : cases) {
        ASSERT_TRUE(target.setOpacity(opacity));
        EXPECT_NEAR(window.windowOpacity(), expected, 1.0 / 255) << opacity;
    }
}

TEST(Fader, RemovingLayeringMakesThePartlyFadedWindowOpaqueAgain)
{
    QWidget window;
    WidgetFadeTarget target(&window, true);
    target.setOpacity(100);
    target.removeLayering();
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 1.0);
}

TEST(Fader, WithoutOpacitySupportAFadeIsAPlainShowOrHide)
{
    QWidget window;
    WidgetFadeTarget shower(&window, false);
    Fade(shower, 0, 255, true, false, false, true);
    EXPECT_TRUE(window.isVisible());
    EXPECT_DOUBLE_EQ(window.windowOpacity(), 1.0);

    WidgetFadeTarget hider(&window, false);
    Fade(hider, 255, 0, false, false, false, true);
    EXPECT_FALSE(window.isVisible());
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
