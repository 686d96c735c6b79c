#include "core/common/runend.h"
#include "fakes/fakerun.h"

#include <gtest/gtest.h>

TEST(RunEnd, ALatchedEndIsThrownAgainAndTheFirstOneWins)
{
    quiz::clearLatchedRunEnd();
    EXPECT_NO_THROW(quiz::rethrowLatchedRunEnd());
    quiz::latchRunEnd({0, "replaced"});
    quiz::latchRunEnd({1, "later"});
    std::string reason;
    EXPECT_EQ(quiz::test::runEndCode(quiz::rethrowLatchedRunEnd, &reason), 0);
    EXPECT_EQ(reason, "replaced");
    quiz::clearLatchedRunEnd();
    EXPECT_FALSE(quiz::latchedRunEnd().has_value());
}
