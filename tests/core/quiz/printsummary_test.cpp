#include "fakes/fakeprinter.h"
#include "fakes/fakeworkbookwriter.h"
#include "fakes/presentationfakes.h"

#include "core/common/runend.h"
#include "core/quiz/printsummary.h"
#include "core/startup/runcontext.h"

#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

std::vector<int> allValid(int keypads)
{
    return std::vector<int>(static_cast<size_t>(keypads) + 1, 1);
}

std::vector<std::string> texts(const PrintLine &line)
{
    std::vector<std::string> out;
    for (const PrintPiece &p : line.pieces)
        out.push_back(p.text);
    return out;
}

std::vector<int> columns(const PrintLine &line)
{
    std::vector<int> out;
    for (const PrintPiece &p : line.pieces)
        out.push_back(p.column);
    return out;
}

std::string numberName(int keypad)
{
    return std::to_string(keypad);
}

using RightAnswers = test::RowTest;

TEST_P(RightAnswers, AreCountedPerKeypadOverTheQuestionsWithVotes)
{
    const test::Row &r = GetParam();
    std::vector<SummaryQuestion> questions;
    for (const std::string &q : r.list(0, '&'))
        questions.push_back({q.substr(0, q.find(':')), q.substr(q.find(':') + 1)});
    std::vector<int> valid = allValid(60);
    if (!r[1].empty()) {
        valid.clear();
        for (float v : r.floats(1))
            valid.push_back(static_cast<int>(v));
    }
    const RightAnswerCounts counts = CountRightAnswers(questions, valid);
    std::vector<float> right(counts.right.begin(), counts.right.end());
    EXPECT_EQ(right, r.floats(2));
    EXPECT_EQ(counts.questionCount, r.num(3));
    EXPECT_EQ(counts.keypadCount, r.num(4));
}
QUIZ_ROWS(RightAnswers, "quiz/rightanswers.rows");

using Percentage = test::RowTest;

TEST_P(Percentage, RoundsToWholeNumbers)
{
    EXPECT_EQ(summaryPercentage(GetParam().num(0), GetParam().num(1)), GetParam()[2]);
}
QUIZ_ROWS(Percentage, "quiz/percentage.rows");

TEST(ScoreSummaryDocument, WithoutVotesEveryKeypadPrintsZeroPercent)
{
    const PrintDocument doc = ScoreSummaryDocument(CountRightAnswers({}, allValid(1)), numberName);
    ASSERT_EQ(doc.lines.size(), 3u + 50u);
    EXPECT_EQ(texts(doc.lines[3]), (std::vector<std::string>{"1", "0%", "0/0"}));
    EXPECT_EQ(texts(doc.lines[52]), (std::vector<std::string>{"50", "0%", "0/0"}));
}

TEST(ScoreSummaryDocument, HeadersThenOneLinePerKeypadInThreeColumns)
{
    RightAnswerCounts counts;
    counts.questionCount = 2;
    counts.keypadCount = 4;
    counts.right = {2, 1, 0, 2};
    const std::string longName(30, 'L');
    const std::string veryLongName(45, 'V');
    const PrintDocument doc = ScoreSummaryDocument(counts, [&](int keypad) -> std::string {
        switch (keypad) {
        case 1:
            return "Ann";
        case 2:
            return std::string(27, 'S'); // still the short-name column
        case 3:
            return longName;
        default:
            return veryLongName;
        }
    });
    EXPECT_EQ(doc.fontSize, 12);
    ASSERT_EQ(doc.lines.size(), 7u);
    EXPECT_EQ(texts(doc.lines[0]), (std::vector<std::string>{"Name/", "Percentage", "Total score/"}));
    EXPECT_EQ(texts(doc.lines[1]), (std::vector<std::string>{"keypad", "correct", "possible score"}));
    EXPECT_EQ(columns(doc.lines[0]), (std::vector<int>{0, 28, 40}));
    EXPECT_EQ(columns(doc.lines[1]), (std::vector<int>{0, 28, 40}));
    EXPECT_TRUE(doc.lines[2].pieces.empty());
    EXPECT_EQ(texts(doc.lines[3]), (std::vector<std::string>{"Ann", "100%", "2/2"}));
    EXPECT_EQ(columns(doc.lines[3]), (std::vector<int>{0, 28, 40}));
    EXPECT_EQ(columns(doc.lines[4]), (std::vector<int>{0, 28, 40}));
    EXPECT_EQ(texts(doc.lines[5]), (std::vector<std::string>{longName, "0%", "0/2"}));
    EXPECT_EQ(columns(doc.lines[5]), (std::vector<int>{0, 42, 54}));
    EXPECT_EQ(columns(doc.lines[6]), (std::vector<int>{0, 47, 59}));
    // The columns never overlap: each piece starts after the one before it ends.
    for (const PrintLine &line : doc.lines)
        for (size_t i = 1; i < line.pieces.size(); ++i)
            EXPECT_GT(line.pieces[i].column,
                      line.pieces[i - 1].column + static_cast<int>(line.pieces[i - 1].text.size()));
}

TEST(ScoreSummaryDocument, NameWidthCountsCharactersNotBytes)
{
    // 27 letters with accents (two bytes each) still fit the short-name column.
    std::string name;
    for (int i = 0; i < 27; ++i)
        name += "\xC3\xA9";
    EXPECT_EQ(summaryPercentageColumnFor(name), 28);
    EXPECT_EQ(summaryPercentageColumnFor(name + "e"), 42);
}

class PrintRun : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        ctx.state.dataFolder = folder.str();
        ctx.dialogs = &dialogs;
        ctx.state.validKeypads = allValid(10);
        // q1: right answer 2; q2: right answer 3; q3 has no votes; q4.tlx is missing.
        std::filesystem::copy(test::dataPath("quiz/print"), folder.path(),
                              std::filesystem::copy_options::recursive);
        ctx.state.participants = {{"Ann", 1, 1}, {"Bob", 3, 1}, {"", 0, 0}};
    }

    int endCode(const std::function<void()> &f)
    {
        try {
            f();
        } catch (const RunEnded &end) {
            return end.exitCode;
        }
        return -1;
    }

    test::TestFolder folder;
    test::FakeDialogs dialogs;
    test::RecordingPrinter printer;
    RunContext ctx;
    const std::vector<std::string> quiz{"q1.tlx", "q2.tlx", "q3.tlx", "q4.tlx"};
};

TEST_F(PrintRun, PrintsTheSummaryOnTheChosenTarget)
{
    dialogs.printAnswers.push_back(PrintTarget{"", "/tmp/out.pdf"});
    PrintScoreSummary(ctx, quiz, printer);
    ASSERT_EQ(printer.documents.size(), 1u);
    EXPECT_EQ(printer.targets[0].pdfPath, "/tmp/out.pdf");
    const PrintDocument &doc = printer.documents[0];
    ASSERT_EQ(doc.lines.size(), 6u);
    EXPECT_EQ(texts(doc.lines[3]), (std::vector<std::string>{"Ann", "100%", "2/2"}));
    EXPECT_EQ(texts(doc.lines[4]), (std::vector<std::string>{"2", "100%", "2/2"}));
    EXPECT_EQ(texts(doc.lines[5]), (std::vector<std::string>{"Bob", "0%", "0/2"}));
    EXPECT_TRUE(dialogs.messages.empty());
}

// Cancelling and a missing votes.rec are end-to-end scenarios.
TEST_F(PrintRun, APrinterFailureEndsWithoutAMessage)
{
    dialogs.printAnswers.push_back(PrintTarget{"office", ""});
    printer.failWith = "no printer named office";
    EXPECT_EQ(endCode([&] { PrintScoreSummary(ctx, quiz, printer); }), 1);
    EXPECT_EQ(printer.targets[0].printerName, "office");
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace quiz
