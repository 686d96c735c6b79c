#include "core/display/displaykeys.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(DisplayKeys, EachKeyEndsTheDisplayItsWay)
{
    using A = DisplayKeyAction;
    struct Case {
        int key, shift;
        DisplayKeyAction action;
    };
    std::vector<Case> cases = {
        {81, 4, A::QuitAndRunBrevak}, // Alt+Q hands over to the add-in
        {81, 5, A::EndAndStay},       // only Alt alone: Alt+Shift+Q and Ctrl+Q are the plain Q
        {81, 2, A::EndAndStay},       {32, 1, A::EndAndMoveOn}, {27, 4, A::EndAndStay},
    };
    for (int key : {39, 40, 32, 34, 13, 78})
        cases.push_back({key, 0, A::EndAndMoveOn});
    for (int key : {27, 81, 33, 38, 37, 80, 8})
        cases.push_back({key, 0, A::EndAndStay});
    for (int key : {0, 9, 16, 18, 65, 77, 79, 82, 112, 46})
        cases.push_back({key, 0, A::None});
    for (const Case &c : cases)
        EXPECT_EQ(displayKeyAction(c.key, c.shift), c.action) << c.key << " shift " << c.shift;
}

TEST(DisplayKeys, ChartAltBecomesWindowAlt)
{
    const std::pair<int, int> cases[] = {{2, 4}, {0, 0}, {1, 1}, {4, 4}, {3, 3}};
    for (auto [chart, window] : cases)
        EXPECT_EQ(chartShiftToWindowShift(chart), window) << chart;
}

} // namespace
} // namespace quiz
