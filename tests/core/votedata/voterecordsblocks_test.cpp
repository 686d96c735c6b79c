#include "core/common/fileutil.h"
#include "core/votedata/voterecords.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// Records read block by block must be the records of the whole text: lines
// across block ends, a byte order mark, CR LF and LF, a last line without its
// end, a Windows-1252 line, and the choice of a quiz's questions.
TEST(VoteRecordsInBlocks, ReadsWhatTheWholeTextHolds)
{
    const auto answers = [](size_t keypads, char option) {
        std::string text;
        for (size_t k = 0; k < keypads; ++k)
            text += std::string(1, option) + ";";
        return text;
    };
    std::string votes = "\xEF\xBB\xBFq1.tlx,1,4,\"" + answers(200000, '1') + "\",d,t\r\n";
    votes += "C:\\Old\\Q2.TLX,1,4,\"" + answers(700000, '2') + "\",d,t\n"; // runs over a block end
    votes += "C:\\Caf\xE9\\q2.tlx,1,4,\"" + answers(300000, '3') + "\",d,t\r\n";
    votes += "\r\nq\xE9.tlx,1,4,\"4;\",d,t\r\n";
    votes += "q3.tlx,1,4,\"" + answers(400000, 'A') + "\",d,t"; // no line end
    const std::string responses = "q2.tlx,1,4,\"1,5;2,25\",d,t\r\nq1.tlx,1,4,\"3;4\",d,t";

    test::TestFolder data;
    data.write("votes.rec", votes);
    data.write("response.rec", responses);
    const std::string whole = decodeText(votes);
    const VoteRecords expected = VoteRecords::fromContent(&whole, &responses);
    const VoteRecords read = VoteRecords::load(data.str());
    for (const char *q : {"q1.tlx", "Q2.tlx", "q3.tlx", "Q\xC3\x89.TLX", "q4.tlx"}) {
        EXPECT_EQ(read.answers(q), expected.answers(q)) << q;
        const std::string *a = read.responseText(q), *b = expected.responseText(q);
        EXPECT_EQ(a ? *a : "-", b ? *b : "-") << q;
    }
    EXPECT_EQ(read.answers("q2.tlx").size(), 600000u);
    EXPECT_EQ(read.answers("q\xC3\xA9.tlx"), "4;");

    const VoteRecords quiz = VoteRecords::load(data.str(), {"/shows/Q2.tlx", "q9.tlx"});
    EXPECT_EQ(quiz.votedQuestions(), std::vector<std::string>{"Q2.TLX"});
    EXPECT_EQ(quiz.answers("q2.tlx"), read.answers("q2.tlx"));
    ASSERT_NE(quiz.responseText("q2.tlx"), nullptr);
    EXPECT_EQ(*quiz.responseText("q2.tlx"), "1.5;2.25");
    EXPECT_EQ(quiz.responseText("q1.tlx"), nullptr);
    EXPECT_EQ(read.votedQuestions(), expected.votedQuestions());
}

// A file name that is not ASCII is keyed as its line decodes: a UTF-8 line
// and a Windows-1252 line can name the same question, and the later wins.
TEST(VoteRecordsInBlocks, NamesThatAreNotAsciiKeepTheLaterLine)
{
    const std::string utf8 = "q\xC3\xA9.tlx,1,4,\"5;\",d,t\r\n", windows = "C:\\x\\Q\xE9.TLX,1,4,\"4;\",d,t\r\n";
    for (const bool utf8First : {true, false}) {
        test::TestFolder data;
        data.write("votes.rec", utf8First ? utf8 + windows : windows + utf8);
        EXPECT_EQ(VoteRecords::load(data.str(), {"q\xC3\xA9.tlx"}).answers("Q\xC3\xA9.tlx"), utf8First ? "4;" : "5;");
    }
}

} // namespace
} // namespace quiz
