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
    std::string got;
    if (r.name == "status") {
        got = isStatusBlock(r[0]) ? "" : "none";
        if (isStatusBlock(r[0]))
            for (const auto &[key, value] : parseStatusBlock(r[0]))
                got += (got.empty() ? "" : "; ") + key + "=" + value;
    } else {
        const auto records = r.name == "csv"    ? std::optional(readNamesCsv(r[0]))
                             : r.name == "line" ? parseNamesReply("h\r\n" + r[0] + "\r\nEndListOfNames")
                                                : parseNamesReply(r[0]);
        got = records ? "" : "none";
        for (const Participant &p : records.value_or(Records{}))
            got += (got.empty() ? "" : "; ") + std::to_string(p.keypad) + "/" + p.name + "/" +
                   std::to_string(p.weighting);
    }
    EXPECT_EQ(got, r[1]);
}
QUIZ_ROWS(Replies, "controller/names.rows");

TEST(NamesReply, TheStandInsReplyParsesBackAndACutReplyParsesOnceWhole)
{
    const Records names{{"Ann", 3, 1}, {"Bob", 1, 2}, {"", 9, 1}};
    const std::string reply = formatNamesReply(names);
    EXPECT_EQ(reply, "ListOfNames,3\r\n3,Ann,1\r\n1,Bob,2\r\n9,,1\r\nEndListOfNames\r\n");
    // The reply ends with a line break, so the end-marker line becomes a last
    // record (keypad 0) that the name lookup never examines.
    Records parsed = names;
    parsed.push_back({"", 0, 0});
    EXPECT_EQ(parseNamesReply(reply), parsed);
    EXPECT_EQ(GetParticipantName(parsed, 9), "");
    EXPECT_EQ(parseNamesReply(formatNamesReply({})), (Records{{"", 0, 0}}));

    const std::string bytes = encodeFrame("baseType=1\r\nmax_kpads=8") + encodeFrame(reply);
    FrameDecoder decoder;
    std::vector<std::optional<Records>> parses;
    for (std::size_t at = 0; at < bytes.size(); at += 5) {
        decoder.append(std::string_view(bytes).substr(at, 5));
        while (auto text = decoder.next())
            parses.push_back(parseNamesReply(*text));
    }
    EXPECT_EQ(parses, (std::vector<std::optional<Records>>{std::nullopt, parsed}));
    EXPECT_EQ(decoder.pendingBytes(), 0u);
}

} // namespace
} // namespace quiz
