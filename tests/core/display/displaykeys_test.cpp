#include "core/display/displaykeys.h"

#include <gtest/gtest.h>

namespace quiz {
namespace {

TEST(DisplayKeys, NextKeysEndAndMoveTheShowOn)
{
    for (int key : {39, 40, 32, 34, 13, 78})
        EXPECT_EQ(displayKeyAction(key, 0), DisplayKeyAction::EndAndMoveOn) << key;
}

TEST(DisplayKeys, StayKeysEndAndKeepTheSlide)
{
    for (int key : {27, 81, 33, 38, 37, 80, 8})
        EXPECT_EQ(displayKeyAction(key, 0), DisplayKeyAction::EndAndStay) << key;
}

TEST(DisplayKeys, AltQHandsOverToTheAddIn)
{
    EXPECT_EQ(displayKeyAction(81, 4), DisplayKeyAction::QuitAndRunBrevak);
    // Only Alt alone: Alt+Shift+Q and Ctrl+Q are the plain Q.
    EXPECT_EQ(displayKeyAction(81, 5), DisplayKeyAction::EndAndStay);
    EXPECT_EQ(displayKeyAction(81, 2), DisplayKeyAction::EndAndStay);
}

TEST(DisplayKeys, ModifiersDoNotChangeTheOtherKeys)
{
    EXPECT_EQ(displayKeyAction(32, 1), DisplayKeyAction::EndAndMoveOn);
    EXPECT_EQ(displayKeyAction(27, 4), DisplayKeyAction::EndAndStay);
}

TEST(DisplayKeys, OtherKeysDoNothing)
{
    for (int key : {0, 9, 16, 18, 65, 77, 79, 82, 112, 46})
        EXPECT_EQ(displayKeyAction(key, 0), DisplayKeyAction::None) << key;
}

TEST(DisplayKeys, ChartAltBecomesWindowAlt)
{
    EXPECT_EQ(chartShiftToWindowShift(2), 4);
    EXPECT_EQ(chartShiftToWindowShift(0), 0);
    EXPECT_EQ(chartShiftToWindowShift(1), 1);
    EXPECT_EQ(chartShiftToWindowShift(4), 4);
    EXPECT_EQ(chartShiftToWindowShift(3), 3);
}

} // namespace
} // namespace quiz
