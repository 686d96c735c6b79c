#include "core/quiz/correctanswer.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(MostPopularAnswer, CountsOptionsOfACompactAnswerString)
{
    struct Case {
        const char *answers;
        int option;
    };
    const Case cases[] = {
        {"2223", 2},              // plain majority
        {"1122", 2},              // equal counts: the higher option
        {"3311", 3},              // order in the string does not matter
        {"9", 9},     {"00", 10}, // the digit 0 counts for option 10
        {"XX1", 10},              // so does any other character
        {"A1A", 10},  {"--1", 1}, // "-" is not counted
        {"", 10},                 // nothing counted: all equal, the highest option
        {"----", 10},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MostPopularAnswer(c.answers), c.option) << '"' << c.answers << '"';
}

} // namespace
} // namespace quiz
