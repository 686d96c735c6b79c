#include "core/common/fileutil.h"
#include "core/common/workthreads.h"
#include "core/quiz/lookupvotes.h"
#include "core/votedata/voterecords.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <random>

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

// Last records, folders and cases, response texts: the index against a scan below.
TEST(VoteRecords, FilesAreFoundIgnoringCaseAndMayBeMissing)
{
    TestFolder data;
    const VoteRecords none = VoteRecords::load(data.str());
    EXPECT_FALSE(none.votesFilePresent() || none.responseFilePresent());
    data.write("VOTES.REC", "Q1.tlx,1,2,12,a,b\r\n");
    data.write("Response.Rec", "");
    const VoteRecords records = VoteRecords::load(data.str());
    EXPECT_TRUE(records.votesFilePresent() && records.responseFilePresent());
    EXPECT_EQ(records.answers("Q1.tlx"), "12");
    EXPECT_EQ(records.responseText("Q1.tlx"), nullptr);
    EXPECT_EQ(records.votedQuestions(), std::vector<std::string>{"Q1.TLX"});
}

// ---- The index against a straightforward scan of the files per question ----

namespace
{

std::vector<std::string> refLines(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Reads both files for every lookup, with the line readers checked above.
std::string refLookUp(QuizState &state, const std::filesystem::path &folder, const std::string &question)
{
    const std::string key = FileNamePart(question);
    std::string result;
    for (const std::string &line : refLines(folder / "votes.rec"))
        if (FileNamePart(GetField(line, 1)) == key)
            result = GetField(line, 4);
    state.responseRecPresent = std::filesystem::exists(folder / "response.rec");
    if (!state.responseRecPresent)
        return result;
    for (const std::string &line : refLines(folder / "response.rec"))
        if (FileNamePart(GetField(line, 1)) == key)
            state.questionResponseText = responseTextOfLine(line);
    return result;
}

struct Generated {
    std::string votes, responses;
    std::vector<std::string> questions; // paths to look up
};

Generated generate(unsigned seed, int questionCount, int keypads)
{
    std::mt19937 random(seed);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char *folders[] = {"C:\\Show\\", "D:\\Other\\", "/home/ann/shows/", "", "\"C:\\Quoted\\"};
    Generated g;
    std::multimap<int, std::string> voteLines, responseLines; // lines in a random order
    for (int q = 1; q <= questionCount; ++q) {
        const std::string name = "Q" + std::to_string(q) + ".tlx";
        g.questions.push_back(name);
        const auto path = [&] {
            std::string p = folders[pick(5)];
            std::string n = name;
            if (pick(3) == 0)
                for (char &c : n)
                    c = static_cast<char>(pick(2) ? std::toupper(c) : std::tolower(c));
            p += n;
            if (p.front() == '"')
                p += '"';
            return p;
        };
        for (int r = pick(4); r > 0; --r) {
            std::string answers;
            const bool list = pick(2);
            for (int k = 0; k < keypads; ++k) {
                if (list)
                    answers += (k ? ";" : "") + (pick(5) == 0 ? std::string("-") : std::to_string(pick(12)));
                else
                    answers += pick(5) == 0 ? 'X' : static_cast<char>('1' + pick(9));
            }
            voteLines.emplace(pick(1000), path() + "," + std::to_string(pick(9)) + ",3," + answers + ",t,u");
        }
        for (int r = pick(3); r > 0; --r) {
            std::string text;
            for (int k = 0; k < keypads; ++k)
                text += (k ? ";" : "") + std::to_string(pick(20)) + (pick(2) ? "," : ".") +
                        std::to_string(pick(100));
            std::string line = path() + ",1,2,\"" + text + "\"";
            if (pick(4) != 0)
                line += ",e,f";
            responseLines.emplace(pick(1000), line);
        }
    }
    // Malformed lines the scan must survive the same way.
    voteLines.emplace(pick(1000), "Q1.tlx,1");
    voteLines.emplace(pick(1000), "");
    responseLines.emplace(pick(1000), "Q2.tlx,1,2,\"1,5");
    for (const auto &l : voteLines)
        g.votes += l.second + (pick(3) ? "\r\n" : "\n");
    for (const auto &l : responseLines)
        g.responses += l.second + (pick(3) ? "\r\n" : "\n");
    g.questions.push_back("Q" + std::to_string(questionCount + 1) + ".tlx"); // never voted
    g.questions.push_back("C:\\Elsewhere\\q1.TLX");
    return g;
}

} // namespace

TEST(VoteRecords, IndexAnswersLikeAScanOfTheFilesPerQuestion)
{
    for (unsigned seed = 1; seed <= 12; ++seed) {
        const Generated g = generate(seed, 40, 1 + static_cast<int>(seed % 7) * 3);
        for (const bool withResponses : {true, false}) {
            TestFolder data;
            data.write("votes.rec", g.votes);
            if (withResponses)
                data.write("response.rec", g.responses);
            const VoteRecords records = VoteRecords::load(data.str());
            QuizState indexed, scanned;
            indexed.questionResponseText = scanned.questionResponseText = "start";
            std::vector<std::string> order = g.questions;
            std::shuffle(order.begin(), order.end(), std::mt19937(seed));
            int answered = 0;
            for (const std::string &question : order) {
                const std::string expected = refLookUp(scanned, data.path(), question);
                EXPECT_EQ(LookUpVotes(indexed, records, question), expected)
                    << "seed " << seed << " " << question;
                EXPECT_EQ(indexed.responseRecPresent, scanned.responseRecPresent);
                EXPECT_EQ(indexed.questionResponseText, scanned.questionResponseText)
                    << "seed " << seed << " " << question;
                answered += !expected.empty();
            }
            EXPECT_GT(answered, 10) << "the generated files should hold votes";
        }
    }
}

namespace
{

// The same answers and response texts for each question as the records of the whole texts.
void expectSameRecords(const VoteRecords &read, const VoteRecords &expected,
                       const std::vector<std::string> &questions)
{
    for (const std::string &q : questions) {
        EXPECT_EQ(read.answers(q), expected.answers(q)) << q;
        const std::string *a = read.responseText(q), *b = expected.responseText(q);
        EXPECT_EQ(a ? *a : "-", b ? *b : "-") << q;
    }
}

} // namespace

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
    expectSameRecords(read, expected, {"q1.tlx", "Q2.tlx", "q3.tlx", "Q\xC3\x89.TLX", "q4.tlx"});
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
    const std::string utf8 = "q\xC3\xA9.tlx,1,4,\"5;\",d,t\r\n",
                      windows = "C:\\x\\Q\xE9.TLX,1,4,\"4;\",d,t\r\n";
    for (const bool utf8First : {true, false}) {
        test::TestFolder data;
        data.write("votes.rec", utf8First ? utf8 + windows : windows + utf8);
        EXPECT_EQ(VoteRecords::load(data.str(), {"q\xC3\xA9.tlx"}).answers("Q\xC3\xA9.tlx"),
                  utf8First ? "4;" : "5;");
    }
}

// A response.rec large enough to be read beside votes.rec (another thread):
// the records are those of the whole texts, and the background read gives
// the same.
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
    expectSameRecords(read, expected, quiz);
    EXPECT_EQ(read.answers("q3.tlx"), ""); // not a question of the quiz
}
