#include "core/results/progresscaption.h"
#include "support/rows.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quiz
{
namespace
{

TEST(ProgressCaption, StartsWithTheBarsAtTheOuterEdges)
{
    EXPECT_EQ(ProgressCaption::starting("Wait"), "|     Wait     |");
}

using Captions = test::RowTest;

TEST_P(Captions, MoveTheBarsInAndOutMirrored)
{
    ProgressCaption animation;
    for (std::string step : GetParam().list(0, ';')) {
        std::replace(step.begin(), step.end(), '_', ' ');
        const size_t next = step.find('=');
        EXPECT_EQ(animation.step(step.substr(0, next)), step.substr(next + 1)) << step;
    }
}
QUIZ_ROWS(Captions, "results/caption.rows");

} // namespace
} // namespace quiz
