#include "core/quiz/printsummary.h"

#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

using RightAnswers = test::RowTest;

TEST_P(RightAnswers, AreCountedPerKeypadOverTheQuestionsWithVotes)
{
    const test::Row &r = GetParam();
    std::vector<SummaryQuestion> questions;
    for (const std::string &q : r.list(0, '&'))
        questions.push_back({q.substr(0, q.find(':')), q.substr(q.find(':') + 1)});
    const std::vector<float> listed = r.floats(1);
    const std::vector<int> valid =
        listed.empty() ? std::vector<int>(61, 1) : std::vector<int>(listed.begin(), listed.end());
    const RightAnswerCounts counts = CountRightAnswers(questions, valid);
    EXPECT_EQ(std::vector<float>(counts.right.begin(), counts.right.end()), r.floats(2));
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

// Headers, then one line per keypad in three columns that move right for long names
// (counted in characters) and never overlap. Without votes the 50 keypads of
// quiz/rightanswers.rows print "0%" (quiz/percentage.rows).
TEST(ScoreSummaryDocument, HeadersThenOneLinePerKeypadInThreeColumns)
{
    const RightAnswerCounts counts{.questionCount = 2, .keypadCount = 4, .right = {2, 1, 0, 2}};
    const std::string accented = "ééééééééééééééééééééééééééé"; // 27 two-byte letters: the short-name column
    const std::vector<std::string> names{"Ann", accented, std::string(30, 'L'), std::string(45, 'V')};
    const PrintDocument doc = ScoreSummaryDocument(counts, [&](int keypad) { return names.at(keypad - 1); });
    EXPECT_EQ(doc.fontSize, 12);
    std::string lines; // "text@column" of every piece; an empty line has no pieces
    for (const PrintLine &line : doc.lines) {
        for (const PrintPiece &p : line.pieces)
            lines += p.text + "@" + std::to_string(p.column) + " ";
        lines += "\n";
    }
    EXPECT_EQ(lines, "Name/@0 Percentage@28 Total score/@40 \nkeypad@0 correct@28 possible score@40 \n\n"
                     "Ann@0 100%@28 2/2@40 \n" +
                         accented + "@0 50%@28 1/2@40 \n" + std::string(30, 'L') + "@0 0%@42 0/2@54 \n" +
                         std::string(45, 'V') + "@0 100%@47 2/2@59 \n");
    EXPECT_EQ(summaryPercentageColumnFor(accented + "e"), 42);
}

} // namespace
} // namespace quiz
