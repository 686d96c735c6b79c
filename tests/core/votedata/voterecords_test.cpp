#include "core/common/fileutil.h"
#include "core/common/workthreads.h"
#include "core/quiz/lookupvotes.h"
#include "core/votedata/voterecords.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace quiz;
using quiz::test::Row;
using quiz::test::TestFolder;

using RecordFields = quiz::test::RowTest;

TEST_P(RecordFields, Read)
{
    const Row &r = GetParam();
    std::string got;
    if (r.name == "field")
        got = GetField(r[0], r.num(1));
    else if (r.name == "name")
        got = FileNamePart(r[0]);
    else if (r.name == "response")
        got = responseTextOfLine(r[0]);
    else {
        const auto parts = SplitAnswerString(r[0]);
        for (size_t i = 0; i < parts.size(); ++i)
            got += (i ? "/" : "") + parts[i];
    }
    EXPECT_EQ(got, r[2]);
}
QUIZ_ROWS(RecordFields, "votedata/fields.rows");

// The records of a data folder as a quiz looks them up: the last record of a question
// wins, whatever its folder, case, quotes or line end; a malformed line counts as a record.
using Records = quiz::test::RowTest;

TEST_P(Records, LookUpTheLastRecordOfAQuestion)
{
    const Row &r = GetParam();
    TestFolder data;
    for (const size_t file : {0, 2})
        if (!r[file].empty())
            data.write(r[file], r[file + 1]);
    const VoteRecords records =
        r[5] == "all" ? VoteRecords::load(data.str()) : VoteRecords::load(data.str(), r.list(5, ';'));
    QuizState state;
    state.questionResponseText = "start";
    const std::string answers = LookUpVotes(state, records, r[4]);
    EXPECT_EQ(answers + " | " + state.questionResponseText + " | " + (state.responseRecPresent ? "1" : "0"),
              r[6] + " | " + r[7] + " | " + r[8]);
}
QUIZ_ROWS(Records, "votedata/records.rows");

// Records read block by block must be the records of the whole text: lines
// across block ends, a byte order mark, CR LF and LF, a last line without its
// end, a Windows-1252 line, and the choice of a quiz's questions. The large
// response.rec is read on the one thread, or beside votes.rec on another.
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
    std::string times;
    for (int k = 0; k < 1000000; ++k)
        times += std::to_string(k % 97) + "," + std::to_string(k % 10) + ";";
    const std::string responses =
        "q2.tlx,1,4,\"9\",d,t\r\nq1.tlx,1,4,\"3;" + times + "\",d,t\r\nC:\\Show\\q2.tlx,1,4,\"1,5;2,25\",d,t";
    ASSERT_GE(responses.size(), size_t(4) << 20);

    test::TestFolder data;
    data.write("votes.rec", votes);
    data.write("response.rec", responses);
    const std::string whole = decodeText(votes);
    const VoteRecords expected = VoteRecords::fromContent(&whole, &responses);
    setWorkThreadCount(1);
    const VoteRecords read = VoteRecords::load(data.str());
    EXPECT_EQ(read.readingThreads(), 1);
    for (const std::string q : {"q1.tlx", "Q2.tlx", "q3.tlx", "Q\xC3\x89.TLX", "q4.tlx"}) {
        EXPECT_EQ(read.answers(q), expected.answers(q)) << q;
        const std::string *a = read.responseText(q), *b = expected.responseText(q);
        EXPECT_EQ(a ? *a : "-", b ? *b : "-") << q;
    }
    EXPECT_EQ(read.answers("q2.tlx").size(), 600000u);
    EXPECT_EQ(read.answers("q\xC3\xA9.tlx"), "4;");
    EXPECT_EQ(read.votedQuestions(), expected.votedQuestions());

    setWorkThreadCount(2); // whatever the machine's cores
    const VoteRecords quiz = loadVoteRecordsInBackground(data.str(), {"/shows/Q2.tlx", "q9.tlx"}).get();
    setWorkThreadCount(0);
    EXPECT_EQ(quiz.readingThreads(), 2);
    EXPECT_EQ(quiz.votedQuestions(), std::vector<std::string>{"Q2.TLX"});
    EXPECT_EQ(quiz.answers("q2.tlx"), read.answers("q2.tlx"));
    ASSERT_NE(quiz.responseText("q2.tlx"), nullptr);
    EXPECT_EQ(*quiz.responseText("q2.tlx"), "1.5;2.25");
    EXPECT_EQ(quiz.responseText("q1.tlx"), nullptr);
}
