#include "core/controller/frame.h"
#include "core/controller/namescsv.h"
#include "core/controller/namesreply.h"

#include "core/votedata/participants.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using Records = std::vector<Participant>;

TEST(NamesReply, RecordsComeInReplyOrderBetweenTheFirstLineAndTheMarker)
{
    struct Case {
        const char *reply;
        Records records;
    } cases[] = {
        {"Names\r\n5,Ann,1\r\nEndListOfNames", {{"Ann", 5, 1}}},
        {"heading\r\n3,Ann,1\r\n1,Bob,2\r\nEndListOfNames", {{"Ann", 3, 1}, {"Bob", 1, 2}}},
        // CR LF at the end makes a record of the marker line.
        {"heading\r\n3,Ann,1\r\nEndListOfNames\r\n", {{"Ann", 3, 1}, {"", 0, 0}}},
        // LF alone keeps the lines together: one data line made of two.
        {"h\r\n1,Ann,1\n2,Bob,2\r\nEndListOfNames", {{"Ann", 1, 1}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(parseNamesReply(c.reply), c.records) << c.reply;
}

TEST(NamesReply, FieldsAreReadAsTheyStand)
{
    struct Case {
        std::string line;
        Participant expected;
    };
    const std::vector<Case> cases = {
        {"7,,1", {"", 7, 1}},                       // blank name
        {"7, Ann Smith ,2", {" Ann Smith ", 7, 2}}, // blanks kept in the name
        {" 12,Bo,3", {"Bo", 12, 3}},                // leading blank before the number
        {"8,Cy", {"Cy", 8, 0}},                     // no weighting
        {"9", {"", 9, 0}},                          // keypad only
        {"x,Dee,1", {"Dee", 0, 1}},                 // not a number: 0
        {"4,Eve,2,extra", {"Eve", 4, 2}},           // further fields ignored
        {"2.5,Flo,1.5", {"Flo", 2, 2}},             // rounded half to even
        {"3,Zo\xC3\xAB,1", {"Zo\xC3\xAB", 3, 1}},   // UTF-8 name
    };
    for (const auto &c : cases) {
        const auto records = parseNamesReply("h\r\n" + c.line + "\r\nEndListOfNames");
        ASSERT_TRUE(records) << c.line;
        ASSERT_EQ(records->size(), 1u) << c.line;
        EXPECT_EQ(records->front(), c.expected) << c.line;
    }
}

TEST(NamesReply, OtherTextsAreNoNamesList)
{
    for (const std::string text : {
             "",                                    // nothing yet
             "heading\r\n3,Ann,1\r\n1,Bob,2",       // not complete
             "baseType=2\r\nmax_kpads=64",          // status block
             "max_kpads=64\r\nEndListOfNames",      // status block wins
             "h\r\n1,baseType,1\r\nEndListOfNames", // so does a name that looks like one
             "EndListOfNames",                      // no heading, no data
             "heading\r\nEndListOfNames",           // no data line
             "heading\nEndListOfNames",             // LF alone does not end a line
         })
        EXPECT_FALSE(parseNamesReply(text)) << text;
}

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
