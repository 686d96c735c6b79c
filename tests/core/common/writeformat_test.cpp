#include "core/common/writeformat.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

using namespace quiz;

TEST(WriteRecord, WritesItemsInTheSystemsFormat)
{
    WriteRecord r;
    EXPECT_TRUE(r.empty());
    r.text("a").integer(5).number(0.25).flag(true);
    EXPECT_EQ(r.line(), "\"a\",5,0.25,#TRUE#\r\n");
    EXPECT_EQ(WriteRecord().flag(false).integer(-3).single(0.1f).line(), "#FALSE#,-3,0.1\r\n");
    EXPECT_EQ(WriteRecord().text("").line(), "\"\"\r\n");
    EXPECT_EQ(WriteRecord().line(), "\r\n");
}

TEST(WriteRecord, DoublesQuotesAndFlattensLineBreaksInText)
{
    EXPECT_EQ(WriteRecord().text("say \"hi\"").items(), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(WriteRecord().text("two\r\nlines").items(), "\"two  lines\"");
    ItemReader reader(WriteRecord().text("say \"hi\", then").text("x").line());
    EXPECT_EQ(reader.next(), "say \"hi\", then");
    EXPECT_EQ(reader.next(), "x");
}

TEST(FormatNumber, PlainDecimalShortestText)
{
    struct Case {
        double value;
        const char *text;
    } cases[] = {
        {0.25, "0.25"},       {5, "5"},    {-1.5, "-1.5"}, {0.1, "0.1"},
        {1e-7, "0.0000001"},  {-0.0, "0"}, {3000, "3000"}, {1e20, "100000000000000000000"},
        {123.456, "123.456"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(formatNumber(c.value), c.text);
    EXPECT_EQ(formatNumber(std::nan("")), "0");
    EXPECT_EQ(formatSingle(0.1f), "0.1");
    EXPECT_EQ(formatSingle(0.7234f), "0.7234");
}

TEST(FormatNumber, ReadsBackTheSameValue)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> any(-1e6, 1e6);
    std::uniform_real_distribution<float> fraction(0.0f, 1.0f);
    for (int i = 0; i < 2000; ++i) {
        const double d = any(random);
        EXPECT_EQ(std::strtod(formatNumber(d).c_str(), nullptr), d);
        const float f = fraction(random);
        EXPECT_EQ(std::strtof(formatSingle(f).c_str(), nullptr), f);
        ItemReader reader(WriteRecord().number(d).single(f).line());
        EXPECT_EQ(reader.nextDouble(), d);
        EXPECT_EQ(static_cast<float>(*reader.nextDouble()), f);
    }
}

namespace
{

std::vector<std::string> allItems(const std::string &content)
{
    ItemReader reader(content);
    std::vector<std::string> items;
    while (const auto item = reader.next())
        items.push_back(*item);
    return items;
}

} // namespace

TEST(ItemReader, SplitsItemsAtCommasAndLineEnds)
{
    using Items = std::vector<std::string>;
    struct Case {
        const char *content;
        Items items;
    } cases[] = {
        // clang-format off
        {"\"a\",5,0.25,#TRUE#\r\n", {"a", "5", "0.25", "#TRUE#"}}, {"  x  ,  \"y, z\" \n w", {"x", "y, z", "w"}},
        {"1\n2\r\n3", {"1", "2", "3"}}, {"a,,b", {"a", "", "b"}}, {"a,\r\nb", {"a", "", "b"}},
        {"\"open\r\nnext", {"open", "next"}}, {"a\r\n\r\n   \r\nb\r\n\r\n", {"a", "b"}},
        {"\"q\"junk,b", {"q", "b"}}, {"\"\",\"\"", {"", ""}}, {"\"a\"\"b\"", {"a\"b"}},
        {"\"CHART FADE\",1", {"CHART FADE", "1"}}, {"", {}}, {"\r\n  \r\n", {}}, {"a,", {"a"}},
        // clang-format on
    };
    for (const auto &c : cases)
        EXPECT_EQ(allItems(c.content), c.items) << c.content;
}

TEST(ItemReader, AtEndOnlyWhenNoItemIsLeft)
{
    ItemReader reader("\"a\"\r\n7\r\n\r\n");
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.next(), "a");
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.nextInt(), 7);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(reader.next(), std::nullopt);
    EXPECT_EQ(reader.nextInt(), std::nullopt);
    EXPECT_EQ(reader.nextFlag(), std::nullopt);
    EXPECT_EQ(reader.restOfLine(), "");
    EXPECT_EQ(reader.nextLine(), std::nullopt);
}

TEST(ItemReader, TypedItemsGiveNothingForWhatTheyCannotRead)
{
    ItemReader reader("2.5,3.5,abc,#TRUE#,#false#,1e20,,-4x,\"12\",.5");
    EXPECT_EQ(reader.nextInt(), 2); // half to even
    EXPECT_EQ(reader.nextInt(), 4);
    EXPECT_EQ(reader.nextInt(), std::nullopt); // consumed: the next item follows
    EXPECT_EQ(reader.nextInt(), -1);
    EXPECT_EQ(reader.nextInt(), 0);
    EXPECT_EQ(reader.nextInt(), std::nullopt); // overflow
    EXPECT_EQ(reader.nextInt(), std::nullopt); // empty
    EXPECT_EQ(reader.nextInt(), -4);
    EXPECT_EQ(reader.nextInt(), 12);
    EXPECT_EQ(reader.nextDouble(), 0.5);
}

TEST(ItemFlag, ReadsFlagWordsAndNumbers)
{
    struct Case {
        const char *item;
        std::optional<bool> flag;
    } cases[] = {
        {"#TRUE#", true}, {"#false#", false}, {"True", true},   {"FALSE", false},      {"0", false},
        {"2", true},      {"-1", true},       {" 0.0 ", false}, {"yes", std::nullopt}, {"", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(itemFlag(c.item), c.flag) << c.item;
}

TEST(ItemReader, RestOfLineAndNextLineReadRawText)
{
    ItemReader reader("\"first\",\"a\",\"b\"\r\n\"txttoadd=\",\"x, y\"\n\nlast");
    EXPECT_EQ(reader.next(), "first");
    EXPECT_EQ(reader.restOfLine(), "\"a\",\"b\"");
    EXPECT_EQ(reader.restOfLine(), "\"txttoadd=\",\"x, y\"");
    EXPECT_EQ(reader.nextLine(), "");
    EXPECT_EQ(reader.nextLine(), "last");
    EXPECT_EQ(reader.nextLine(), std::nullopt);
}
