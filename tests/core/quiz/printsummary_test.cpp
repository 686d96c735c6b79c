#include "batchfakes.h"

#include "core/common/runend.h"
#include "core/quiz/printsummary.h"
#include "core/startup/runcontext.h"

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

TEST(CountRightAnswers, CountsEachKeypadsRightAnswersOverTheQuestionsWithVotes)
{
    const std::vector<int> table{0, 1, 1, 0, 1}; // keypad 3 invalid, 5 and 6 beyond the table
    const struct {
        const char *name;
        std::vector<SummaryQuestion> questions;
        std::vector<int> valid, right;
        int questionCount, keypadCount;
    } cases[] = {
        {"three of four", {{"1", "12"}, {"2", "21"}, {"3", "11"}, {"4", "41"}}, allValid(2), {3, 0}, 4, 2},
        // "44": a repeated option counts once; "13": 1 and 3 are both right.
        {"right options", {{"44", "4213"}, {"13", "1234"}}, allValid(4), {2, 0, 1, 0}, 2, 4},
        {"invalid keypads", {{"2", "222222"}}, table, {1, 1, 0, 1, 0, 0}, 1, 6},
        // Compact "A" and list entry 10 are option 10 ("x"); "X" and "-" are no answer.
        {"compact x", {{"x", "AX1"}}, allValid(3), {1, 0, 0}, 1, 3},
        {"list x", {{"x", "10;X;-;1;"}}, allValid(4), {1, 0, 0, 0}, 1, 4},
        {"popular compact", {{"p", "2223"}}, allValid(4), {1, 1, 1, 0}, 1, 4},
        {"popular list", {{"P", "10;10;3;"}}, allValid(3), {1, 1, 0}, 1, 3},
        {"no votes", {{"1", ""}}, allValid(60), {}, 0, 50},
        // The last question sets the keypad count; no keypad loses its earlier answers.
        {"fewer keypads later", {{"1", "111111"}, {"1", ""}, {"1", "111"}}, allValid(6), {2, 2, 2, 1, 1, 1}, 2, 3},
    };
    for (const auto &c : cases) {
        const RightAnswerCounts counts = CountRightAnswers(c.questions, c.valid);
        EXPECT_EQ(counts.right, c.right) << c.name;
        EXPECT_EQ(counts.questionCount, c.questionCount) << c.name;
        EXPECT_EQ(counts.keypadCount, c.keypadCount) << c.name;
    }
}

TEST(ScoreSummaryDocument, WithoutVotesEveryKeypadPrintsZeroPercent)
{
    const PrintDocument doc = ScoreSummaryDocument(CountRightAnswers({}, allValid(1)), numberName);
    ASSERT_EQ(doc.lines.size(), 3u + 50u);
    EXPECT_EQ(texts(doc.lines[3]), (std::vector<std::string>{"1", "0%", "0/0"}));
    EXPECT_EQ(texts(doc.lines[52]), (std::vector<std::string>{"50", "0%", "0/0"}));
}

TEST(SummaryPercentage, RoundsToWholeNumbersHalvesToEven)
{
    const struct {
        int right, questions;
        const char *expected;
    } cases[] = {{3, 4, "75%"}, {2, 3, "67%"},  {1, 3, "33%"}, {1, 8, "12%"}, {3, 8, "38%"},
                 {0, 5, "0%"},  {5, 5, "100%"}, {1, 0, "0%"},  {0, 0, "0%"}};
    for (const auto &c : cases)
        EXPECT_EQ(summaryPercentage(c.right, c.questions), c.expected) << c.right << "/" << c.questions;
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
        folder.write("q1.tlx", test::questionFile("2"));
        folder.write("q2.tlx", test::questionFile("3"));
        folder.write("q3.tlx", test::questionFile("1"));
        folder.write("votes.rec", "C:\\Shows\\q1.tlx,1,3,221,05/12/2026,20:10:31\r\n"
                                  "C:\\Shows\\q2.tlx,2,3,\"3;3;1;\",05/12/2026,20:11:02\r\n");
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

TEST_F(PrintRun, WithoutVotesRecSaysSoAndEndsBeforeThePrintDialog)
{
    std::filesystem::remove(folder.path() / "votes.rec");
    EXPECT_EQ(endCode([&] { PrintScoreSummary(ctx, quiz, printer); }), 1);
    EXPECT_EQ(dialogs.kinds, std::vector<std::string>{"message"});
    EXPECT_EQ(dialogs.messages[0].text, "Could not find " + folder.str() + "/votes.rec");
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::None);
    EXPECT_TRUE(printer.documents.empty());
}

TEST_F(PrintRun, CancellingOrAPrinterFailureEndsWithoutAMessage)
{
    EXPECT_EQ(endCode([&] { PrintScoreSummary(ctx, quiz, printer); }), 0);
    EXPECT_TRUE(printer.documents.empty());

    dialogs.printAnswers.push_back(PrintTarget{"office", ""});
    printer.failWith = "no printer named office";
    EXPECT_EQ(endCode([&] { PrintScoreSummary(ctx, quiz, printer); }), 1);
    EXPECT_EQ(printer.targets[0].printerName, "office");
    EXPECT_TRUE(dialogs.messages.empty());
}

} // namespace
} // namespace quiz
