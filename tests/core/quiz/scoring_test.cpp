#include "core/common/text.h"
#include "core/quiz/scoring.h"
#include "fakes/fakeprogress.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// The answers and responses are views: literals, or strings that outlive the question.
QuestionInput question(std::string correct, std::string_view answers, std::string_view response = "",
                       std::initializer_list<std::pair<int, double>> weights = {})
{
    QuestionInput q;
    q.correctAnswer = std::move(correct);
    q.answers = answers;
    q.responseText = response;
    for (auto [index, value] : weights)
        q.weights[static_cast<size_t>(index)] = value;
    return q;
}

TEST(ScoreQuiz, GivesTheTotalsPerKeypad)
{
    struct Case {
        const char *name;
        std::vector<QuestionInput> questions;
        int useWeightings;
        std::vector<float> score, time, voted;
    };
    // clang-format off
    const Case cases[] = {
        {"compact, one right answer", {question("3", "1X3")}, 0, {0, 0, 1}, {0, 0, 0}, {0, 0, 0}},
        {"compact, two right options", {question("13", "1X3")}, 0, {1, 0, 1}, {0, 0, 0}, {0, 0, 0}},
        {"compact, most popular", {question("p", "2223")}, 0, {1, 1, 1, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"compact, most popular in capitals", {question("P", "3113")}, 0, {1, 0, 0, 1}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"compact, A is option ten", {question("x", "A3A")}, 0, {1, 0, 1}, {0, 0, 0}, {0, 0, 0}},
        {"compact, response values", {question("3", "323", "4;5;6.5")}, 0, {1, 0, 1}, {4, 0, 6.5f}, {0, 0, 0}},
        {"list, right, wrong, not voted", {question("2", "1;2;-;")}, 0, {0, 1, 0}, {0, 0, 0}, {1, 1, 0}},
        {"list, 10 is option x", {question("x", "10;3;")}, 0, {1, 0}, {0, 0}, {1, 1}},
        {"list, X voted but never right", {question("2", "X;2;")}, 0, {0, 1}, {0, 0}, {1, 1}},
        {"list, times of right answers only", {question("2", "2;2;1;", "1.5;2.25;0.5")}, 0, {1, 1, 0}, {1.5f, 2.25f, 0}, {1, 1, 1}},
        {"list, fewer response values", {question("2", "2;2;2;", "7")}, 0, {1, 1, 1}, {7, 0, 0}, {1, 1, 1}},
        {"list, most popular", {question("p", "2;2;3;")}, 0, {1, 1, 0}, {0, 0, 0}, {1, 1, 1}},
        {"list, most popular 10", {question("P", "10;A;3;")}, 0, {1, 1, 0}, {0, 0, 0}, {1, 1, 1}},
        {"list, a repeated option counts once", {question("22", "2;")}, 0, {1}, {0}, {1}},
        {"list, no correct answer marks no vote", {question("", "1;2;")}, 0, {0, 0}, {0, 0}, {0, 0}},
        {"list, 11 never matches", {question("1", "11;1;")}, 0, {0, 1}, {0, 0}, {1, 1}},
        {"weights off", {question("23", "1;2;3;", "", {{2, 2.0}, {3, 3.0}})}, 0, {0, 1, 1}, {0, 0, 0}, {1, 1, 1}},
        {"weights on", {question("23", "1;2;3;", "", {{2, 2.0}, {3, 3.0}})}, 1, {0, 2, 3}, {0, 0, 0}, {1, 1, 1}},
        {"weights on, option ten, also as A", {question("x", "10;A;", "", {{10, 5.0}})}, 1, {5, 5}, {0, 0}, {1, 1}},
        {"weights on, compact", {question("x2", "A2X", "", {{10, 4.0}, {2, 0.5}})}, 1, {4, 0.5f, 0}, {0, 0, 0}, {0, 0, 0}},
        {"questions add up, the last sets the keypad count",
         {question("1", "1;1;1;1;", "1;1;1;1"), question("2", "2;3;", "2;2")}, 0, {2, 1}, {3, 1}, {1, 1}},
        {"fewer keypads in between keep the earlier scores",
         {question("1", "1;1;1;"), question("1", "1;"), question("1", "1;1;1;")}, 0, {3, 2, 2}, {0, 0, 0}, {1, 1, 1}},
        {"a question without votes is skipped", {question("1", "1;2;"), question("1", "")}, 0, {1, 0}, {0, 0}, {1, 1}},
    };
    // clang-format on
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ScoringSettings s;
        s.useWeightings = c.useWeightings;
        const ScoringResult r = ScoreQuiz(c.questions, s, {});
        EXPECT_EQ(r.keypadCount, static_cast<int>(c.score.size()));
        EXPECT_EQ(r.score, c.score);
        EXPECT_EQ(r.time, c.time);
        EXPECT_EQ(r.voted, c.voted);
    }
}

// The scoring's own number reader must agree with the general one.
TEST(ScoreQuiz, ResponseValuesAreReadAsLeadingNumbers)
{
    for (const char *v : {"1", "0.125", " 7", "-1.5", "1e2", "3.5x", "abc", ".25", "12.", "+4", "2.5E-1",
                          "1234567890123456789"})
        EXPECT_EQ(ScoreQuiz({question("1", "1;", v)}, {}, {}).time[0], static_cast<float>(leadingNumber(v)))
            << v;
}

TEST(ScoreQuiz, SettingsDecideTheMaximumAndTheDisplayCount)
{
    const std::vector<QuestionInput> quiz = {question("1", "1;1;1;1;1;1;1;", "", {{3, 4.0}}),
                                             question("1", "", "", {{10, 2.5}})};
    struct Case {
        int useWeightings;
        bool countMaxScorers;
        int displayCount;
        double possibleMaximum;
        int displayCountAfter;
    };
    // The largest weight counts only when both are on; counting max scorers
    // raises the display count to the keypads, never lowers it.
    const Case cases[] = {{0, false, 5, 2.0, 5},
                          {1, false, 5, 2.0, 5},
                          {1, true, 5, 6.5, 7},
                          {0, true, 5, 2.0, 7},
                          {0, true, 9, 2.0, 9}};
    for (const Case &c : cases) {
        ScoringSettings s{c.useWeightings, c.countMaxScorers, c.displayCount};
        const ScoringResult r = ScoreQuiz(quiz, s, {});
        EXPECT_EQ(r.possibleMaximum, c.possibleMaximum) << c.useWeightings << c.countMaxScorers;
        EXPECT_EQ(r.displayCount, c.displayCountAfter) << c.useWeightings << c.countMaxScorers;
    }
}

TEST(ScoreQuiz, EveryKeypadOfAnAnswerStringCountsAsValid)
{
    // valid.kpd marks keypads 1 and 2 invalid; the scoring refills the table per question.
    const ScoringResult r = ScoreQuiz({question("2", "2;2;")}, {}, {0, 0, 0, 1});
    EXPECT_EQ(r.score, (std::vector<float>{1, 1}));
    EXPECT_EQ(r.validKeypads, (std::vector<int>{1, 1, 1, 1, 1}));
    const ScoringResult none = ScoreQuiz({}, {}, {1, 1});
    EXPECT_EQ(none.keypadCount, 0);
    EXPECT_EQ(none.possibleMaximum, 0.0);
    EXPECT_EQ(none.validKeypads, (std::vector<int>{1, 1}));
}

std::string listOf(int keypads)
{
    std::string answers;
    for (int i = 0; i < keypads; ++i)
        answers += "1;";
    return answers;
}

TEST(ScoreQuiz, ProgressWindowOpensFromFiveHundredAndOneListSteps)
{
    struct Case {
        std::string answers;
        int questions;
        std::vector<float> setUps;
        int steps;
    };
    const Case cases[] = {{listOf(500), 1, {}, 0},
                          {listOf(501), 1, {501}, 501},
                          {listOf(251), 2, {502}, 502},
                          {listOf(250), 2, {}, 0},
                          {std::string(600, '1'), 1, {}, 0}}; // compact answers never open it
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.answers.size()) + " x " + std::to_string(c.questions));
        const std::vector<QuestionInput> quiz(static_cast<size_t>(c.questions), question("1", c.answers));
        test::FakeProgress progress;
        ScoreQuiz(quiz, {}, {}, &progress);
        EXPECT_EQ(progress.setUps, c.setUps);
        EXPECT_EQ(progress.steps, c.steps);
        EXPECT_EQ(progress.unloads, c.setUps.empty() ? 0 : 1);
        EXPECT_EQ(ScoreQuiz(quiz, {}, {}, nullptr).score.back(), c.questions) << "no progress view";
    }
}

} // namespace
} // namespace quiz
