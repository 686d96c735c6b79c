#include "core/common/text.h"

#include <gtest/gtest.h>

using namespace quiz;

TEST(LeadingNumber, ReadsTheNumberATextStartsWith)
{
    struct Case {
        const char *text;
        double value;
    } cases[] = {
        {"", 0},   {"abc", 0},    {"12", 12},     {"  7x", 7}, {"-3", -3},
        {"+4", 4}, {"1.5", 1.5},  {"1.5.2", 1.5}, {".5", 0.5}, {"2e3", 2000},
        {"2e", 2}, {"3SLIDE", 3}, {"SLIDE7", 0},  {"0", 0},    {"007", 7},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << c.text;
}

TEST(LeadingInt, RoundsHalfToEven)
{
    EXPECT_EQ(leadingInt("2.5"), 2);
    EXPECT_EQ(leadingInt("3.5"), 4);
    EXPECT_EQ(leadingInt("1e20"), 2147483647);
}

TEST(Split, KeepsEmptyPieces)
{
    EXPECT_EQ(split("a,,b,", ","), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(split("", ","), (std::vector<std::string>{""}));
    EXPECT_EQ(split("a\r\nb", "\r\n"), (std::vector<std::string>{"a", "b"}));
}

TEST(Text, CaseAndBlanks)
{
    EXPECT_EQ(toUpper("quiz.Quz"), "QUIZ.QUZ");
    EXPECT_EQ(trim("  SETUP \t"), "SETUP");
    EXPECT_TRUE(iequals("Q1.TLX", "q1.tlx"));
    EXPECT_FALSE(iequals("Q1.TLX", "q1.tl"));
    EXPECT_EQ(replaceAll("1,5;2,25", ",", "."), "1.5;2.25");
}
