#include "core/quiz/answerrule.h"

#include <gtest/gtest.h>

#include <string>

namespace quiz
{
namespace
{

TEST(AnswerRule, OptionsOfAnswersAndCorrectCharacters)
{
    const std::pair<const char *, int> answers[] = {
        {"1", 1},          {"9", 9},         {"0", 0},         {"A", 10},
        {"10", 10},        {"X", kNoOption}, {"-", kNoOption}, {"", kNoOption},
        {"11", kNoOption}, {"a", kNoOption}, {"x", kNoOption}, {" 1", kNoOption},
    };
    for (const auto &[entry, option] : answers)
        EXPECT_EQ(answerOption(entry), option) << '"' << entry << '"';
    const std::pair<char, int> correct[] = {
        {'3', 3}, {'0', 0}, {'x', 10}, {'X', kNoOption}, {'A', kNoOption}};
    for (const auto &[c, option] : correct)
        EXPECT_EQ(correctOption(c), option) << c;
}

TEST(AnswerRule, MostPopularOptionInBothForms)
{
    const std::pair<const char *, int> cases[] = {
        {"2223", 2},      {"1122", 2},        // equal counts: the higher option
        {"A1A", 10},      {"10;10;3;", 10},   // option ten in both forms
        {"XX1", 1},       {"X;X;-;;1;", 1},   // no-answers are not counted
        {"", kNoOption},  {"--X", kNoOption}, // nobody answered
        {"3;3;2;2;5", 3},                     // the piece after the last ";" is no keypad
    };
    for (const auto &[answers, option] : cases)
        EXPECT_EQ(mostPopularOption(answers), option) << '"' << answers << '"';
}

TEST(AnswerRule, RightOptionsAndKeypadCounts)
{
    const struct {
        const char *correct, *answers, *right; // right: the options 0..10 as 0/1
    } cases[] = {
        {"13", "", "01010000000"},   {"x2", "", "00100000001"},  {"p", "2;2;1;", "00100000000"},
        {"P", "AA1", "00000000001"}, {"p", "--", "00000000000"}, {"pp", "11", "00000000000"},
        {"X", "", "00000000000"},    {"", "1", "00000000000"},
    };
    for (const auto &c : cases) {
        const RightOptions right(c.correct, c.answers);
        std::string got;
        for (int option = 0; option < kOptionCount; ++option)
            got += right.contains(option) ? '1' : '0';
        EXPECT_EQ(got, c.right) << c.correct << " over " << c.answers;
        EXPECT_EQ(right.empty(), std::string(c.right).find('1') == std::string::npos);
    }
    EXPECT_EQ(keypadCountOf("1X3"), 3u);
    EXPECT_EQ(keypadCountOf("1;-;10;"), 3u);
    EXPECT_EQ(keypadCountOf("1;2"), 1u);
}

} // namespace
} // namespace quiz
