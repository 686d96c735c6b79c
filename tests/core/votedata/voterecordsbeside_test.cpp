// A response.rec large enough to be read beside votes.rec (another thread):
// the records are those of the whole texts, and the background read gives
// the same.

#include "core/common/workthreads.h"
#include "core/votedata/voterecords.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

TEST(VoteRecordsBeside, ALargeResponseFileGivesWhatTheWholeTextsHold)
{
    std::string times;
    for (int k = 0; k < 700000; ++k)
        times += std::to_string(k % 97) + "," + std::to_string(k % 10) + ";";
    std::string votes, responses;
    int n = 0; // each record its own: the last of a question must win
    for (const char *q : {"q1.tlx", "C:\\Show\\q2.tlx", "q1.tlx", "q3.tlx"}) {
        votes += std::string(q) + ",1,4,\"1;2;" + std::to_string(++n) + ";\",d,t\r\n";
        responses += std::string(q) + ",1,4,\"" + std::to_string(n) + ";" + times + "\",d,t\r\n";
    }
    ASSERT_GE(responses.size(), size_t(4) << 20);
    test::TestFolder data;
    data.write("votes.rec", votes);
    data.write("response.rec", responses);
    const VoteRecords expected = VoteRecords::fromContent(&votes, &responses);
    const std::vector<std::string> quiz{"Q1.TLX", "q2.tlx", "q4.tlx"};
    setWorkThreadCount(2); // whatever the machine's cores
    const VoteRecords read = loadVoteRecordsInBackground(data.str(), quiz).get();
    setWorkThreadCount(0);
    EXPECT_EQ(read.readingThreads(), 2);
    for (const std::string &q : quiz) {
        EXPECT_EQ(read.answers(q), expected.answers(q)) << q;
        const std::string *a = read.responseText(q), *b = expected.responseText(q);
        EXPECT_EQ(a ? *a : "-", b ? *b : "-") << q;
    }
    EXPECT_EQ(read.answers("q3.tlx"), ""); // not a question of the quiz
}

} // namespace
} // namespace quiz
