#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <random>

using namespace quiz;

// Quoted items with commas and doubled quotes are read back by the "items" rows.
TEST(WriteRecord, WritesItemsInTheSystemsFormat)
{
    EXPECT_TRUE(WriteRecord().empty());
    EXPECT_EQ(WriteRecord().line(), "\r\n");
    EXPECT_EQ(WriteRecord().text("a").integer(5).number(0.25).flag(true).line(), "\"a\",5,0.25,#TRUE#\r\n");
    EXPECT_EQ(WriteRecord().flag(false).integer(-3).single(0.1f).line(), "#FALSE#,-3,0.1\r\n");
    EXPECT_EQ(WriteRecord().text("").line(), "\"\"\r\n");
    EXPECT_EQ(WriteRecord().text("say \"hi\"").text("two\r\nlines").items(),
              "\"say \"\"hi\"\"\",\"two  lines\"");
}

TEST(FormatNumber, ReadsBackTheSameValue)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> any(-1e6, 1e6);
    std::uniform_real_distribution<float> fraction(0.0f, 1.0f);
    for (int i = 0; i < 2000; ++i) {
        const double d = any(random);
        const float f = fraction(random);
        ItemReader reader(WriteRecord().number(d).single(f).line());
        EXPECT_EQ(reader.nextDouble(), d);
        EXPECT_EQ(static_cast<float>(*reader.nextDouble()), f);
    }
}

using TextRows = quiz::test::RowTest;

// Decoding, leading numbers, number texts, items, flags, the text helpers, finding a file
// ignoring case, a text read in turn, one row a case.
TEST_P(TextRows, Read)
{
    const quiz::test::Row &r = GetParam();
    const std::string &n = r.name;
    std::string got;
    ItemReader reader(r[0]);
    const auto typed = [&](auto value) { return value ? formatNumber(*value) : std::string("none"); };
    if (n == "decode")
        got = decodeText(r[0]);
    else if (n == "leading")
        got = formatNumber(leadingNumber(r[0]));
    else if (n == "leading int")
        got = std::to_string(leadingInt(r[0]));
    else if (n == "number")
        got = formatNumber(r[0] == "nan" ? std::nan("") : std::stod(r[0]));
    else if (n == "single")
        got = formatSingle(std::stof(r[0]));
    else if (n == "flag")
        got = itemFlag(r[0]) ? (*itemFlag(r[0]) ? "1" : "0") : "none";
    else if (n == "split")
        for (const std::string &piece : split(r[0], r[2]))
            got += "[" + piece + "]";
    else if (n == "upper")
        got = toUpper(r[0]);
    else if (n == "trim")
        got = trim(r[0]);
    else if (n == "iequals")
        got = iequals(r[0], r[2]) ? "1" : "0";
    else if (n == "replace")
        got = replaceAll(r[0], r[2], r[3]);
    else if (n == "resolve" || n == "resolve path") {
        test::TestFolder dir;
        for (const char *name : {"quizActive.txt", "Q1.TLX", "q2.tlx", "Q2.tlx"})
            dir.write(name, "");
        const std::string at = replaceAll(r[0], "{folder}", dir.str());
        got = replaceAll(n == "resolve" ? resolveFile(at, r[2]) : resolvePath(at), dir.str(), "{folder}");
    } else if (n == "reader")
        for (bool first = true; const std::string &op : r.list(2, ' ')) {
            got += (first ? "" : "/") + (op == "next"   ? reader.next().value_or("none")
                                         : op == "rest" ? reader.restOfLine()
                                         : op == "line" ? reader.nextLine().value_or("none")
                                         : op == "int"  ? typed(reader.nextInt())
                                         : op == "flag" ? typed(reader.nextFlag())
                                                        : std::string(reader.atEnd() ? "end" : "more"));
            first = false;
        }
    else if (n == "ints" || n == "doubles")
        for (bool first = true; !reader.atEnd(); first = false)
            got += (first ? "" : "/") + (n == "ints" ? typed(reader.nextInt()) : typed(reader.nextDouble()));
    else
        for (bool first = true; const auto item = reader.next(); first = false)
            got += (first ? "" : "/") + *item;
    EXPECT_EQ(got, r[1]);
}
QUIZ_ROWS(TextRows, "common/text.rows");
