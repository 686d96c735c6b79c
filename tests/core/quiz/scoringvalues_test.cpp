#include "core/quiz/scoring.h"

#include <gtest/gtest.h>

#include <string>

namespace quiz
{
namespace
{

// Response values of right answers are found by index however long the
// values are and however far apart the right answers lie, in both forms.
TEST(ScoreQuiz, FindsTheResponseValueOfEachRightAnswer)
{
    for (const int every : {1, 2, 3, 7, 25}) {
        for (const bool listForm : {true, false}) {
            SCOPED_TRACE(std::to_string(every) + (listForm ? " list" : " compact"));
            std::string answers, values;
            const int keypads = 100;
            for (int k = 0; k < keypads; ++k) {
                const char answer = k % every == 0 ? '2' : '1';
                answers += listForm ? std::string(1, answer) + ";" : std::string(1, answer);
                values += (k ? ";" : "") + std::to_string(k * 37 % 1000) + (k % 2 ? ".5" : "");
            }
            QuestionInput q;
            q.correctAnswer = "2";
            q.answers = answers;
            q.responseText = values;
            const ScoringResult r = ScoreQuiz({q}, {}, {});
            ASSERT_EQ(r.time.size(), static_cast<size_t>(keypads));
            for (int k = 0; k < keypads; ++k) {
                const float expected =
                    k % every == 0 ? static_cast<float>(k * 37 % 1000) + (k % 2 ? 0.5f : 0) : 0;
                EXPECT_EQ(r.time[static_cast<size_t>(k)], expected) << "keypad " << k + 1;
            }
        }
    }
}

} // namespace
} // namespace quiz
