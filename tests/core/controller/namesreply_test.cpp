#include "core/controller/frame.h"
#include "core/controller/namescsv.h"
#include "core/controller/namesreply.h"

#include "core/votedata/participants.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using Records = std::vector<Participant>;

using Replies = test::RowTest;

// Records come in reply order between the first line and the marker.
TEST_P(Replies, ParseIntoRecords)
{
    const test::Row &r = GetParam();
    const auto records = parseNamesReply(r.name == "line" ? "h\r\n" + r[0] + "\r\nEndListOfNames" : r[0]);
    std::string got = records ? "" : "none";
    for (const Participant &p : records.value_or(Records{}))
        got += (got.empty() ? "" : "; ") + std::to_string(p.keypad) + "/" + p.name + "/" +
               std::to_string(p.weighting);
    EXPECT_EQ(got, r[1]);
}
QUIZ_ROWS(Replies, "controller/names.rows");

TEST(StatusBlock, RecognisedByEitherKeyAndSplitAtTheFirstEquals)
{
    EXPECT_TRUE(isStatusBlock("baseType=RF"));
    EXPECT_TRUE(isStatusBlock("x=1\r\nmax_kpads=32"));
    EXPECT_FALSE(isStatusBlock("heading\r\n1,Ann,1\r\nEndListOfNames"));
    const auto fields = parseStatusBlock("baseType=RF=2\r\nmax_kpads=32\r\nnoequals");
    EXPECT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields.at("baseType"), "RF=2");
    EXPECT_EQ(fields.at("max_kpads"), "32");
}

TEST(NamesCsv, HeadingsBlankLinesQuotesAndMissingWeightings)
{
    const std::string csv = "Keypad,Name,Weighting\r\n"
                            "3,Ann,1\r\n"
                            "\r\n"
                            "1,\"Smith, Bob\",2\n"
                            "  4 , Cy ,  \n"
                            "5,Dee\n"
                            "6,Eve,Lee,3\n"
                            "7,\"Fay \"\"F\"\"\",1\n"
                            "notes at the end\n";
    EXPECT_EQ(readNamesCsv(csv), (Records{{"Ann", 3, 1},
                                          {"Smith  Bob", 1, 2},
                                          {"Cy", 4, 1},
                                          {"Dee", 5, 1},
                                          {"Eve Lee", 6, 3},
                                          {"Fay \"F\"", 7, 1}}));
}

TEST(NamesCsv, ReplyOfTheStandInParsesBackToItsNames)
{
    const Records names{{"Ann", 3, 1}, {"Bob", 1, 2}, {"", 9, 1}};
    const std::string reply = formatNamesReply(names);
    EXPECT_EQ(reply, "ListOfNames,3\r\n3,Ann,1\r\n1,Bob,2\r\n9,,1\r\nEndListOfNames\r\n");
    // The reply ends with a line break, so the end-marker line becomes a last
    // record (keypad 0) that the name lookup never examines.
    Records parsed = names;
    parsed.push_back({"", 0, 0});
    EXPECT_EQ(parseNamesReply(reply), parsed);
    EXPECT_EQ(GetParticipantName(*parseNamesReply(reply), 9), "");
    EXPECT_EQ(GetParticipantName(*parseNamesReply(reply), 1), "Bob");
    // An empty list leaves only that record.
    EXPECT_EQ(formatNamesReply({}), "ListOfNames,0\r\nEndListOfNames\r\n");
    EXPECT_EQ(parseNamesReply(formatNamesReply({})), (Records{{"", 0, 0}}));
}

TEST(NamesReply, AReplyCutAcrossReadsParsesOnceWhole)
{
    const std::string reply = "heading\r\n3,Ann,1\r\n1,Bob,2\r\nEndListOfNames";
    const std::string bytes = encodeFrame("baseType=1\r\nmax_kpads=8") + encodeFrame(reply);
    FrameDecoder decoder;
    std::vector<std::optional<Records>> parses;
    for (std::size_t at = 0; at < bytes.size(); at += 5) {
        decoder.append(std::string_view(bytes).substr(at, 5));
        while (auto text = decoder.next())
            parses.push_back(parseNamesReply(*text));
    }
    ASSERT_EQ(parses.size(), 2u);
    EXPECT_FALSE(parses[0]);
    ASSERT_TRUE(parses[1]);
    EXPECT_EQ(parses[1]->size(), 2u);
}

} // namespace
} // namespace quiz
