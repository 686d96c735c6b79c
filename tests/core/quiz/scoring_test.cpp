#include "core/quiz/answerrule.h"
#include "core/quiz/ranking.h"
#include "core/quiz/scoring.h"
#include "fakes/fakeprogress.h"
#include "support/rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

namespace quiz
{
namespace
{

using Totals = test::RowTest;

TEST_P(Totals, PerKeypad)
{
    const test::Row &r = GetParam();
    const auto correct = r.list(0, '&'), answers = r.list(1, '&'), responses = r.list(2, '&'),
               weights = r.list(3, '&');
    std::vector<QuestionInput> questions;
    // A reference, not a copy: the question keeps views of its answers and responses.
    static const std::string none;
    const auto part = [](const std::vector<std::string> &parts, size_t i) -> const std::string & {
        return i < parts.size() ? parts[i] : none;
    };
    for (size_t i = 0; i < answers.size(); ++i) {
        QuestionInput &q = questions.emplace_back(QuestionInput{
            .correctAnswer = part(correct, i), .answers = answers[i], .responseText = part(responses, i)});
        for (const std::string &pair : test::splitTrimmed(part(weights, i)))
            q.weights[std::stoul(pair.substr(0, pair.find('=')))] =
                std::stod(pair.substr(pair.find('=') + 1));
    }
    const ScoringSettings s{r.num(4), r.flag(8), r.num(9)};
    const ScoringResult result = ScoreQuiz(questions, s, {});
    EXPECT_EQ(result.keypadCount, static_cast<int>(r.floats(5).size()));
    EXPECT_EQ(result.score, r.floats(5));
    EXPECT_EQ(result.time, r.floats(6));
    EXPECT_EQ(result.voted, r.floats(7));
    EXPECT_EQ(result.possibleMaximum, r.real(10));
    EXPECT_EQ(result.displayCount, r.num(11));
}
QUIZ_ROWS(Totals, "quiz/scoring.rows");

using RightOptionRows = test::RowTest;

TEST_P(RightOptionRows, OfEveryKindOfCorrectAnswer)
{
    const test::Row &r = GetParam();
    if (r.name == "option") {
        EXPECT_EQ(answerOption(r[0]), std::stoi(r[2]));
        return;
    }
    const RightOptions right(r[0], r[1]);
    std::string got;
    for (int option = 0; option < kOptionCount; ++option)
        got += right.contains(option) ? '1' : '0';
    EXPECT_EQ(got, r[2]);
}
QUIZ_ROWS(RightOptionRows, "quiz/rightoptions.rows");

using Progress = test::RowTest;

TEST_P(Progress, OpensForLongListsOnly)
{
    const test::Row &r = GetParam();
    std::string answers;
    for (int k = 0; k < r.num(0); ++k)
        answers += r.flag(1) ? "1;" : "1";
    const QuestionInput question{.correctAnswer = "1", .answers = answers, .responseText = ""};
    const std::vector<QuestionInput> quiz(static_cast<size_t>(r.num(2)), question);
    test::FakeProgress progress;
    EXPECT_EQ(ScoreQuiz(quiz, {}, {}, &progress).score.back(), r.num(2));
    EXPECT_EQ(progress.setUps, r.floats(3));
    EXPECT_EQ(progress.steps, r.num(4));
    EXPECT_EQ(progress.unloads, r[3].empty() ? 0 : 1);
}
QUIZ_ROWS(Progress, "quiz/progress.rows");

ScoringResult totals(std::vector<float> score, std::vector<float> time, std::vector<float> voted,
                     bool listForm = true)
{
    ScoringResult r;
    r.keypadCount = static_cast<int>(score.size());
    std::tie(r.score, r.time, r.voted, r.anyListForm) = std::tie(score, time, voted, listForm);
    return r;
}

// The ranking is a permutation of the keypads in the order of its rule: higher
// score first, then those who voted, then the quicker, then the lower keypad.
TEST(RankKeypads, IsAPermutationSortedByItsRule)
{
    std::mt19937 random(11);
    for (int round = 0; round < 300; ++round) {
        const int keypads = 1 + static_cast<int>(random() % 12);
        std::vector<float> score, time, voted;
        for (int k = 0; k < keypads; ++k) { // few values, so that ties are common
            score.push_back(static_cast<float>(random() % 4) / 2);
            time.push_back(static_cast<float>(random() % 3));
            voted.push_back(static_cast<float>(random() % 2));
        }
        std::vector<float> order;
        for (const RankedKeypad &k : RankKeypads(totals(score, time, voted)))
            order.push_back(k.keypad);
        std::vector<float> sorted = order;
        std::sort(sorted.begin(), sorted.end());
        for (int k = 0; k < keypads; ++k)
            ASSERT_EQ(sorted[static_cast<size_t>(k)], static_cast<float>(k + 1)) << "not a permutation";
        const auto key = [&](float keypad) {
            const size_t i = static_cast<size_t>(keypad) - 1;
            return std::make_tuple(-score[i], -voted[i], time[i], keypad);
        };
        for (size_t i = 1; i < order.size(); ++i)
            EXPECT_LT(key(order[i - 1]), key(order[i])) << "round " << round << " place " << i;
    }
}

TEST(RankKeypads, RowsCarryTheTotalsOrZerosWithoutAListFormQuestion)
{
    EXPECT_EQ(RankKeypads(totals({1, 2}, {3.5f, 1.25f}, {1, 1})),
              (std::vector<RankedKeypad>{{2, 2, 1.25f, 1}, {1, 1, 3.5f, 1}}));
    EXPECT_EQ(RankKeypads(totals({1, 2, 3}, {1, 1, 1}, {0, 0, 0}, false)), std::vector<RankedKeypad>(3));
    EXPECT_TRUE(RankKeypads(ScoringResult{}).empty());
}

} // namespace
} // namespace quiz
