// The outputs of one quiz agree: the displayed scores (weightings off), the
// printed summary's right answers and the results workbook's raw scores.

#include "core/quiz/printsummary.h"
#include "core/quiz/quizresultssheet.h"
#include "core/quiz/scoring.h"

#include <gtest/gtest.h>

#include <random>

namespace quiz
{
namespace
{

// Random quizzes of one to six questions, all answered by the same keypads in
// compact or list form. Left out while the outputs still differ on them: "p"
// (most popular), "A" in list form and repeated characters of a right answer.
TEST(CrossOutput, ScoresRightAnswersAndRawScoresAgree)
{
    std::mt19937 random(5);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::string options = "123456789x";
    for (int round = 0; round < 300; ++round) {
        const int keypads = 1 + pick(15);
        std::vector<QuestionInput> scored;
        std::vector<SummaryQuestion> printed;
        ExportRound exported{"r.quz", {}};
        for (int q = 1 + pick(6); q > 0; --q) {
            std::string correct(1, options[static_cast<size_t>(pick(10))]);
            if (const char second = options[static_cast<size_t>(pick(10))]; pick(2) && second != correct[0])
                correct += second;
            const bool list = pick(2);
            std::string answers;
            for (int k = 0; k < keypads; ++k) {
                const int a = pick(13); // 0..9: options 1..10, then no answers
                if (list)
                    answers += (a < 10 ? std::to_string(a + 1) : a == 10 ? "X" : a == 11 ? "-" : "") + ";";
                else
                    answers += a < 10 ? "123456789A"[a] : a == 10 ? 'X' : '-';
            }
            QuestionInput input;
            input.correctAnswer = correct;
            input.answers = answers;
            scored.push_back(input);
            printed.push_back({correct, answers});
            exported.votes.push_back({"q" + std::to_string(q) + ".tlx", true, correct, answers});
        }
        const ScoringResult scores = ScoreQuiz(scored, ScoringSettings{}, {});
        const RightAnswerCounts right = CountRightAnswers(printed, std::vector<int>(keypads + 1, 1));
        const Workbook book = QuizResultsWorkbook({exported}, [](int k) { return std::to_string(k); });
        const Sheet &sheet = book.sheet(0);
        ASSERT_EQ(scores.keypadCount, keypads);
        for (int k = 0; k < keypads; ++k) {
            const int score = static_cast<int>(scores.score[static_cast<size_t>(k)]);
            EXPECT_EQ(score, right.rightOf(k)) << "round " << round << " keypad " << k + 1;
            EXPECT_EQ(sheet.displayText(4 + k, 2), std::to_string(score))
                << "round " << round << " keypad " << k + 1;
        }
    }
}

} // namespace
} // namespace quiz
