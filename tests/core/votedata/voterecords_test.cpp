#include "core/votedata/voterecords.h"
#include "support/testfolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

using namespace quiz;
using quiz::test::TestFolder;

TEST(GetField, TakesTheTextBetweenCommasAndDropsEnclosingQuotes)
{
    struct Case {
        const char *line;
        int n;
        const char *field;
    } cases[] = {
        // clang-format off
        {"a,\"b\",c", 1, "a"}, {"a,\"b\",c", 2, "b"}, {"a,\"b\",c", 3, "c"}, {"a,\"b\",c", 4, ""},
        {"a,\"b\",c", 0, ""}, {"a,\"b\",c", 9, ""}, {"\"a,b\",c", 1, "\"a"},
        {"\"a,b\",c", 2, "b\""}, // commas in quotes are not protected
        {"x,\",y", 2, ""}, {"x,\"\",y", 2, ""}, {",,", 2, ""}, {"a", 1, "a"}, {"", 1, ""}, {"a,b", 2, "b"},
        {"a,\"b", 2, "\"b"}, {"a,b\",c", 2, "b\""},
        // clang-format on
    };
    for (const auto &c : cases)
        EXPECT_EQ(GetField(c.line, c.n), c.field) << c.line << " field " << c.n;
}

TEST(FileNamePart, TakesTheNameAfterTheLastSeparatorUpperCased)
{
    struct Case {
        const char *path;
        const char *name;
    } cases[] = {
        // clang-format off
        {"C:\\Show\\Q1.tlx", "Q1.TLX"}, {"/home/ann/q1.tlx", "Q1.TLX"}, {"q1.tlx", "Q1.TLX"},
        {"C:\\dir/sub\\x.tlx", "X.TLX"}, {"/a\\b/c.tlx", "C.TLX"}, {"", ""}, {"dir\\", ""},
        // clang-format on
    };
    for (const auto &c : cases)
        EXPECT_EQ(FileNamePart(c.path), c.name) << c.path;
}

TEST(SplitAnswerString, CompactAndListForms)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(SplitAnswerString("1X3"), (V{"1", "X", "3"}));
    EXPECT_EQ(SplitAnswerString("1;-;12"), (V{"1", "-", "12"}));
    EXPECT_EQ(SplitAnswerString("5;"), (V{"5", ""}));
    EXPECT_EQ(SplitAnswerString(""), V{});
}

TEST(ResponseText, DecimalCommasAndSeparators)
{
    struct Case {
        const char *line;
        const char *text;
    } cases[] = {
        {"C:\\s\\Q1.tlx,1,2,\"1,5;2,25\",a,b", "1.5;2.25"},  // more than 7 pieces
        {"Q1.tlx,1,2,\"1.5;2\",a,b", "1.5;2"},               // 6 pieces: field 4
        {"Q1.tlx,1,2,\"3;4\",a,b,c", "3;4"},                 // exactly 7: field 4, quotes off
        {"Q1.tlx,1,2,\"1,5\",a,b", "\"1"},                   // 7 pieces, one decimal comma
        {"Q1.tlx,1,2,\"1,5;2,5;3,5;4,5", "1.5;2.5;3.5;4.5"}, // no closing quote: the rest
        {"Q1.tlx,1", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(responseTextOfLine(c.line), c.text) << c.line;
}

TEST(LookUpVotes, TheLastRecordOfAQuestionWinsWhateverItsFolderOrCase)
{
    TestFolder data;
    data.write("votes.rec", "C:\\Show\\Q1.tlx,1,2,1X3,a,b\r\n"
                            "C:\\Show\\Q2.tlx,1,2,222,a,b\r\n"
                            "D:\\Other\\q1.TLX,1,2,4;-;12,a,b\r\n");
    const VoteRecords records = VoteRecords::load(data.str());
    QuizState state;
    state.questionResponseText = "before";
    EXPECT_EQ(LookUpVotes(state, records, data.str() + "/Q1.tlx"), "4;-;12");
    EXPECT_EQ(LookUpVotes(state, records, "q2.tlx"), "222");
    EXPECT_EQ(LookUpVotes(state, records, "Q3.tlx"), "");
    EXPECT_FALSE(state.responseRecPresent);
    EXPECT_EQ(state.questionResponseText, "before");
}

TEST(LookUpVotes, SetsTheResponseTextOnlyForAQuestionResponseRecHolds)
{
    TestFolder data;
    data.write("votes.rec", "Q1.tlx,1,2,12,a,b\nQ2.tlx,1,2,21,a,b\n");
    data.write("response.rec", "C:\\x\\Q1.tlx,1,2,\"1,5;2,25\",a,b\n");
    const VoteRecords records = VoteRecords::load(data.str());
    QuizState state;
    EXPECT_EQ(LookUpVotes(state, records, "Q1.tlx"), "12");
    EXPECT_TRUE(state.responseRecPresent);
    EXPECT_EQ(state.questionResponseText, "1.5;2.25");
    EXPECT_EQ(LookUpVotes(state, records, "Q2.tlx"), "21");
    EXPECT_EQ(state.questionResponseText, "1.5;2.25"); // kept
}

TEST(VoteRecords, FilesAreFoundIgnoringCaseAndMayBeMissing)
{
    TestFolder data;
    EXPECT_FALSE(VoteRecords::load(data.str()).votesFilePresent());
    EXPECT_FALSE(VoteRecords::load(data.str()).responseFilePresent());
    data.write("VOTES.REC", "Q1.tlx,1,2,12,a,b\r\n");
    data.write("Response.Rec", "");
    const VoteRecords records = VoteRecords::load(data.str());
    EXPECT_TRUE(records.votesFilePresent());
    EXPECT_TRUE(records.responseFilePresent());
    EXPECT_EQ(records.answers("Q1.tlx"), "12");
    EXPECT_EQ(records.responseText("Q1.tlx"), nullptr);
    EXPECT_EQ(records.votedQuestions(), std::vector<std::string>{"Q1.TLX"});
}

// ---- The index against a straightforward scan of the files per question ----

namespace
{

std::string refField(const std::string &line, int n)
{
    std::vector<std::string> fields(1);
    for (const char c : line) {
        if (c == ',')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    if (n < 1 || n > static_cast<int>(fields.size()))
        return "";
    std::string field = fields[n - 1];
    if (!field.empty() && field.front() == '"' && field.back() == '"')
        field = field.size() == 1 ? "" : field.substr(1, field.size() - 2);
    return field;
}

std::string refName(const std::string &path)
{
    std::string name =
        path.substr(path.find_last_of("\\/") == std::string::npos ? 0 : path.find_last_of("\\/") + 1);
    for (char &c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

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

// Reads both files for every lookup, as the per-question procedure does.
std::string refLookUp(QuizState &state, const std::filesystem::path &folder, const std::string &question)
{
    const std::string key = refName(question);
    std::string result;
    for (const std::string &line : refLines(folder / "votes.rec"))
        if (refName(refField(line, 1)) == key)
            result = refField(line, 4);
    state.responseRecPresent = std::filesystem::exists(folder / "response.rec");
    if (!state.responseRecPresent)
        return result;
    for (const std::string &line : refLines(folder / "response.rec")) {
        if (refName(refField(line, 1)) != key)
            continue;
        std::string text;
        if (std::count(line.begin(), line.end(), ',') + 1 > 7) {
            size_t p3 = 0;
            for (int i = 0, from = 0; i < 3; ++i, from = static_cast<int>(p3) + 1)
                p3 = line.find(',', static_cast<size_t>(from));
            const size_t start = p3 + 2;
            const size_t q = line.find('"', start);
            text = q == std::string::npos ? line.substr(start) : line.substr(start, q - start);
            std::replace(text.begin(), text.end(), ',', '.');
        } else {
            text = refField(line, 4);
        }
        std::replace(text.begin(), text.end(), ',', ';');
        state.questionResponseText = text;
    }
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
    std::vector<std::pair<int, std::string>> voteLines, responseLines; // (order key, line)
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
            voteLines.emplace_back(pick(1000),
                                   path() + "," + std::to_string(pick(9)) + ",3," + answers + ",t,u");
        }
        for (int r = pick(3); r > 0; --r) {
            std::string text;
            for (int k = 0; k < keypads; ++k)
                text += (k ? ";" : "") + std::to_string(pick(20)) + (pick(2) ? "," : ".") +
                        std::to_string(pick(100));
            std::string line = path() + ",1,2,\"" + text + "\"";
            if (pick(4) != 0)
                line += ",e,f";
            responseLines.emplace_back(pick(1000), line);
        }
    }
    // Malformed lines the scan must survive the same way.
    voteLines.emplace_back(pick(1000), "Q1.tlx,1");
    voteLines.emplace_back(pick(1000), "");
    responseLines.emplace_back(pick(1000), "Q2.tlx,1,2,\"1,5");
    std::stable_sort(voteLines.begin(), voteLines.end(), [](auto &a, auto &b) { return a.first < b.first; });
    std::stable_sort(responseLines.begin(), responseLines.end(),
                     [](auto &a, auto &b) { return a.first < b.first; });
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
