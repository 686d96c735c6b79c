#include "core/common/runend.h"

#include <gtest/gtest.h>

TEST(RunEnd, ALatchedEndIsThrownAgainAndTheFirstOneWins)
{
    quiz::clearLatchedRunEnd();
    EXPECT_NO_THROW(quiz::rethrowLatchedRunEnd());
    quiz::latchRunEnd({0, "replaced"});
    quiz::latchRunEnd({1, "later"});
    try {
        quiz::rethrowLatchedRunEnd();
        FAIL() << "nothing was thrown";
    } catch (const quiz::RunEnded &end) {
        EXPECT_EQ(end.exitCode, 0);
        EXPECT_EQ(end.reason, "replaced");
    }
    quiz::clearLatchedRunEnd();
    EXPECT_FALSE(quiz::latchedRunEnd().has_value());
}
