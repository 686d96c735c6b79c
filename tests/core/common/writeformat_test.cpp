#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"
#include "support/rows.h"

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

using TextRows = quiz::test::RowTest;

// Decoding, leading numbers, number texts, items and flags, one row a case.
TEST_P(TextRows, Read)
{
    const quiz::test::Row &r = GetParam();
    std::string got;
    if (r.name == "decode")
        got = decodeText(r[0]);
    else if (r.name == "leading")
        got = formatNumber(leadingNumber(r[0]));
    else if (r.name == "leading int")
        got = std::to_string(leadingInt(r[0]));
    else if (r.name == "number")
        got = formatNumber(r[0] == "nan" ? std::nan("") : std::stod(r[0]));
    else if (r.name == "single")
        got = formatSingle(std::stof(r[0]));
    else if (r.name == "flag")
        got = itemFlag(r[0]) ? (*itemFlag(r[0]) ? "1" : "0") : "none";
    else {
        ItemReader reader(r[0]);
        for (bool first = true; const auto item = reader.next(); first = false)
            got += (first ? "" : "/") + *item;
    }
    EXPECT_EQ(got, r[1]);
}
QUIZ_ROWS(TextRows, "common/text.rows");

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
