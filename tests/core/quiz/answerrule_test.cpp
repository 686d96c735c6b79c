#include "core/quiz/answerrule.h"

#include <gtest/gtest.h>

#include <string>

namespace quiz
{
namespace
{

// The right options of a question (options 0..10 as 0/1) and, through them,
// which answers count: both answer forms, "x", "p" and the no-answers.
TEST(AnswerRule, RightOptionsOfEveryKindOfCorrectAnswer)
{
    const struct {
        const char *correct, *answers, *right;
    } cases[] = {
        {"13", "", "01010000000"},      {"x2", "", "00100000001"},   {"X", "", "00000000000"},
        {"p", "2;2;1;", "00100000000"}, {"P", "AA1", "00000000001"}, {"p", "10;10;3;", "00000000001"},
        {"p", "1122", "00100000000"},   {"p", "XX1", "01000000000"}, {"p", "X;-;;5", "00000000000"},
        {"pp", "11", "00000000000"},    {"", "1", "00000000000"},
    };
    for (const auto &c : cases) {
        const RightOptions right(c.correct, c.answers);
        std::string got;
        for (int option = 0; option < kOptionCount; ++option)
            got += right.contains(option) ? '1' : '0';
        EXPECT_EQ(got, c.right) << c.correct << " over " << c.answers;
    }
    const std::pair<const char *, int> answers[] = {{"0", 0},        {"9", 9},         {"A", 10},
                                                    {"10", 10},      {"X", kNoOption}, {"-", kNoOption},
                                                    {"", kNoOption}, {"11", kNoOption}};
    for (const auto &[entry, option] : answers)
        EXPECT_EQ(answerOption(entry), option) << '"' << entry << '"';
}

} // namespace
} // namespace quiz
