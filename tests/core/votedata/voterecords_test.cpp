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
