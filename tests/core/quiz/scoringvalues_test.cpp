#include "core/quiz/scoring.h"

#include <gtest/gtest.h>

#include <string>

namespace quiz
{
namespace
{

// The response value of each right answer is found by its index, however far
// apart the right answers lie, in both answer forms.
TEST(ScoreQuiz, FindsTheResponseValueOfEachRightAnswer)
{
    for (const int every : {1, 3, 25})
        for (const bool listForm : {true, false}) {
            std::string answers, values;
            for (int k = 0; k < 100; ++k) {
                answers += std::string(1, k % every ? '1' : '2') + (listForm ? ";" : "");
                values += (k ? ";" : "") + std::to_string(k * 37 % 1000) + ".5";
            }
            QuestionInput q;
            q.correctAnswer = "2";
            q.answers = answers;
            q.responseText = values;
            const ScoringResult r = ScoreQuiz({q}, {}, {});
            for (size_t k = 0; k < 100; ++k)
                EXPECT_EQ(r.time.at(k), k % every ? 0 : k * 37 % 1000 + 0.5f) << every << " " << k;
        }
}

} // namespace
} // namespace quiz
