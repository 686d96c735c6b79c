#include "core/quiz/questionweightings.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using Weights = std::array<double, 13>;

TEST(QuestionWeightings, ReadsTheListAfterTheRecord)
{
    struct Case {
        const char *name;
        const char *content; // nullptr: no question file
        Weights weights;     // read into a table of 5s
    };
    // clang-format off
    const Case cases[] = {
        {"no record: 0..10 become 1, 11 and 12 are never reset",
         "4,\"a\",\"1\"\r\n\"OTHER\",\"2,2\"\r\n", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5, 5}},
        {"no file", nullptr, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5, 5}},
        {"record without a list", "\"QUESTION WEIGHTINGS\"\r\n", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 5, 5}},
        {"entries by leading number", "4,\"a\"\r\n\"QUESTION WEIGHTINGS\",\"2,1.5,0,,3x\"\r\n",
         {2, 1.5, 0, 0, 3, 1, 1, 1, 1, 1, 1, 5, 5}},
        {"no more than thirteen entries", "\"QUESTION WEIGHTINGS\",\"0,1,2,3,4,5,6,7,8,9,10,11,12,13,14\"",
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    // clang-format on
    for (const Case &c : cases) {
        test::TestFolder data;
        if (c.content)
            data.write("Q1.TLX", c.content); // found ignoring case
        Weights w;
        w.fill(5);
        ReadQuestionWeightings(data.str() + "/q1.tlx", w);
        EXPECT_EQ(w, c.weights) << c.name;
    }
}

} // namespace
} // namespace quiz
