#include "core/common/text.h"

#include <gtest/gtest.h>

using namespace quiz;

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
