#include "core/display/displaykeys.h"
#include "support/rows.h"

#include <gtest/gtest.h>

#include <map>

namespace quiz
{
namespace
{

using Keys = test::RowTest;

TEST_P(Keys, EndTheDisplayTheirWay)
{
    const std::map<std::string, DisplayKeyAction> actions{{"move on", DisplayKeyAction::EndAndMoveOn},
                                                          {"stay", DisplayKeyAction::EndAndStay},
                                                          {"brevak", DisplayKeyAction::QuitAndRunBrevak},
                                                          {"none", DisplayKeyAction::None}};
    EXPECT_EQ(displayKeyAction(GetParam().num(0), GetParam().num(1)), actions.at(GetParam()[2]));
}
QUIZ_ROWS(Keys, "display/keys.rows");

TEST(DisplayKeys, ChartAltBecomesWindowAlt)
{
    for (auto [chart, window] : {std::pair{2, 4}, {0, 0}, {1, 1}, {4, 4}, {3, 3}})
        EXPECT_EQ(chartShiftToWindowShift(chart), window) << chart;
}

} // namespace
} // namespace quiz
