#include "core/quiz/questionweightings.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace quiz;
using quiz::test::TestFolder;

namespace
{

std::array<double, 13> weightsOf(const TestFolder &data, const char *content)
{
    data.write("q1.tlx", content);
    std::array<double, 13> weights;
    weights.fill(0);
    weights[11] = 7;
    ReadQuestionWeightings(data.str() + "/q1.tlx", weights);
    return weights;
}

} // namespace

TEST(QuestionWeightings, WithoutTheRecordEntriesZeroToTenAreOne)
{
    TestFolder data;
    const auto w = weightsOf(data, "4,\"a\",\"1\"\r\n\"OTHER\",\"2,2\"\r\n");
    for (int i = 0; i <= 10; ++i)
        EXPECT_EQ(w[i], 1.0) << i;
    EXPECT_EQ(w[11], 7.0) << "entry 11 is never reset";
    EXPECT_EQ(w[12], 0.0);
}

TEST(QuestionWeightings, TheListSetsEntriesByLeadingNumber)
{
    TestFolder data;
    const auto w = weightsOf(data, "4,\"a\"\r\n\"QUESTION WEIGHTINGS\",\"2,1.5,0,,3x\"\r\n");
    EXPECT_EQ(w[0], 2.0);
    EXPECT_EQ(w[1], 1.5);
    EXPECT_EQ(w[2], 0.0);
    EXPECT_EQ(w[3], 0.0);
    EXPECT_EQ(w[4], 3.0);
    EXPECT_EQ(w[5], 1.0);
    EXPECT_EQ(w[11], 7.0);
}

TEST(QuestionWeightings, NoMoreThanThirteenEntriesAreSet)
{
    TestFolder data;
    const auto w = weightsOf(data, "\"QUESTION WEIGHTINGS\",\"0,1,2,3,4,5,6,7,8,9,10,11,12,13,14\"");
    for (int i = 0; i <= 12; ++i)
        EXPECT_EQ(w[i], static_cast<double>(i));
}

TEST(QuestionWeightings, AMissingFileOrValueKeepsTheDefaults)
{
    TestFolder data;
    std::array<double, 13> weights;
    weights.fill(5);
    ReadQuestionWeightings(data.str() + "/none.tlx", weights);
    EXPECT_EQ(weights[0], 1.0);
    EXPECT_EQ(weights[10], 1.0);
    EXPECT_EQ(weights[12], 5.0);
    const auto w = weightsOf(data, "\"QUESTION WEIGHTINGS\"\r\n");
    EXPECT_EQ(w[3], 1.0);
    // The question file is found ignoring case.
    data.write("Q2.TLX", "\"QUESTION WEIGHTINGS\",\"4\"");
    ReadQuestionWeightings(data.str() + "/q2.tlx", weights);
    EXPECT_EQ(weights[0], 4.0);
}
