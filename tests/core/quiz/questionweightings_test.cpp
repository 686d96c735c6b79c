#include "core/quiz/questionweightings.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using Weights = std::array<double, 13>;

using Weightings = test::RowTest;

TEST_P(Weightings, AreReadFromTheListAfterTheRecord)
{
    test::TestFolder data;
    if (GetParam()[0] != "none")
        data.write("Q1.TLX", GetParam()[0]); // found ignoring case
    Weights w;
    w.fill(5);
    ReadQuestionWeightings(data.str() + "/q1.tlx", w);
    const std::vector<float> expected = GetParam().floats(1);
    EXPECT_EQ(std::vector<double>(w.begin(), w.end()), std::vector<double>(expected.begin(), expected.end()));
}
QUIZ_ROWS(Weightings, "quiz/weightings.rows");

} // namespace
} // namespace quiz
