#include "core/common/text.h"
#include "core/quiz/scoring.h"
#include "fakes/fakeprogress.h"
#include "support/rows.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

QuestionInput question(std::string correct, std::string answers, std::string response = "",
                       std::initializer_list<std::pair<int, double>> weights = {})
{
    QuestionInput q;
    q.correctAnswer = std::move(correct);
    q.answers = std::move(answers);
    q.responseText = std::move(response);
    for (auto [index, value] : weights)
        q.weights[static_cast<size_t>(index)] = value;
    return q;
}

using Totals = test::RowTest;

TEST_P(Totals, PerKeypad)
{
    const test::Row &r = GetParam();
    const auto correct = r.list(0, '&'), answers = r.list(1, '&'), responses = r.list(2, '&'),
               weights = r.list(3, '&');
    std::vector<QuestionInput> questions;
    const auto part = [](const std::vector<std::string> &parts, size_t i) {
        return i < parts.size() ? parts[i] : "";
    };
    for (size_t i = 0; i < answers.size(); ++i) {
        QuestionInput &q = questions.emplace_back(question(part(correct, i), answers[i], part(responses, i)));
        for (const std::string &pair : test::splitTrimmed(part(weights, i)))
            q.weights[std::stoul(pair.substr(0, pair.find('=')))] =
                std::stod(pair.substr(pair.find('=') + 1));
    }
    ScoringSettings s;
    s.useWeightings = r.num(4);
    const ScoringResult result = ScoreQuiz(questions, s, {});
    EXPECT_EQ(result.keypadCount, static_cast<int>(r.floats(5).size()));
    EXPECT_EQ(result.score, r.floats(5));
    EXPECT_EQ(result.time, r.floats(6));
    EXPECT_EQ(result.voted, r.floats(7));
}
QUIZ_ROWS(Totals, "quiz/scoring.rows");

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
