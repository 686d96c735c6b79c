#include "core/common/runend.h"

#include <gtest/gtest.h>

TEST(RunEnd, CarriesCodeAndReason)
{
    try {
        quiz::endRun(3, "no presentation");
        FAIL() << "endRun returned";
    } catch (const quiz::RunEnded &end) {
        EXPECT_EQ(end.exitCode, 3);
        EXPECT_EQ(end.reason, "no presentation");
    }
}
