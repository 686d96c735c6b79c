#include "core/common/text.h"
#include "core/quiz/scoring.h"
#include "ports/progress.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

QuestionInput question(std::string correct, std::string answers, std::string response = "")
{
    QuestionInput q;
    q.correctAnswer = std::move(correct);
    q.answers = std::move(answers);
    q.responseText = std::move(response);
    return q;
}

struct ScoreCase {
    const char *name;
    std::vector<QuestionInput> questions;
    ScoringSettings settings;
    std::vector<float> score;
    std::vector<float> time;
    std::vector<float> voted;
};

void PrintTo(const ScoreCase &c, std::ostream *os)
{
    *os << c.name;
}

class ScoreQuizCases : public ::testing::TestWithParam<ScoreCase>
{
};

TEST_P(ScoreQuizCases, GivesTheTotalsPerKeypad)
{
    const ScoreCase &c = GetParam();
    const ScoringResult r = ScoreQuiz(c.questions, c.settings, {});
    EXPECT_EQ(r.keypadCount, static_cast<int>(c.score.size()));
    EXPECT_EQ(r.score, c.score);
    EXPECT_EQ(r.time, c.time);
    EXPECT_EQ(r.voted, c.voted);
}

WeightTable weights(std::initializer_list<std::pair<int, double>> set)
{
    WeightTable w{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    for (auto [index, value] : set)
        w[static_cast<size_t>(index)] = value;
    return w;
}

QuestionInput weighted(QuestionInput q, WeightTable w)
{
    q.weights = w;
    return q;
}

ScoringSettings weightsOn()
{
    ScoringSettings s;
    s.useWeightings = 1;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ScoreQuizCases,
    ::testing::Values(
        ScoreCase{"CompactOneRightAnswer", {question("3", "1X3")}, {}, {0, 0, 1}, {0, 0, 0}, {0, 0, 0}},
        ScoreCase{"CompactTwoRightOptions", {question("13", "1X3")}, {}, {1, 0, 1}, {0, 0, 0}, {0, 0, 0}},
        ScoreCase{
            "CompactMostPopular", {question("p", "2223")}, {}, {1, 1, 1, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        ScoreCase{"CompactMostPopularUpperCase",
                  {question("P", "3113")},
                  {},
                  {1, 0, 0, 1},
                  {0, 0, 0, 0},
                  {0, 0, 0, 0}},
        ScoreCase{"CompactAnswerAIsOptionTen", {question("x", "A3A")}, {}, {1, 0, 1}, {0, 0, 0}, {0, 0, 0}},
        ScoreCase{"CompactResponseValuesPerKeypad",
                  {question("3", "323", "4;5;6.5")},
                  {},
                  {1, 0, 1},
                  {4, 0, 6.5f},
                  {0, 0, 0}},
        ScoreCase{
            "ListRightWrongAndNotVoted", {question("2", "1;2;-;")}, {}, {0, 1, 0}, {0, 0, 0}, {1, 1, 0}},
        ScoreCase{"ListTenIsOptionX", {question("x", "10;3;")}, {}, {1, 0}, {0, 0}, {1, 1}},
        ScoreCase{"ListXAnswerVotedButNeverRight", {question("2", "X;2;")}, {}, {0, 1}, {0, 0}, {1, 1}},
        ScoreCase{"ListTimesOfRightAnswersOnly",
                  {question("2", "2;2;1;", "1.5;2.25;0.5")},
                  {},
                  {1, 1, 0},
                  {1.5f, 2.25f, 0},
                  {1, 1, 1}},
        ScoreCase{"ListFewerResponseValuesThanKeypads",
                  {question("2", "2;2;2;", "7")},
                  {},
                  {1, 1, 1},
                  {7, 0, 0},
                  {1, 1, 1}},
        ScoreCase{
            "ListMostPopularIsNotWorkedOut", {question("p", "2;2;3;")}, {}, {0, 0, 0}, {0, 0, 0}, {1, 1, 1}},
        ScoreCase{"ListWithoutCorrectAnswerMarksNoVote", {question("", "1;2;")}, {}, {0, 0}, {0, 0}, {0, 0}},
        ScoreCase{"ListTwoCharacterEntryOtherThanTenNeverMatches",
                  {question("1", "11;1;")},
                  {},
                  {0, 1},
                  {0, 0},
                  {1, 1}},
        ScoreCase{"WeightsOffIgnoreTheQuestionFile",
                  {weighted(question("23", "1;2;3;"), weights({{2, 2.0}, {3, 3.0}}))},
                  {},
                  {0, 1, 1},
                  {0, 0, 0},
                  {1, 1, 1}},
        ScoreCase{"WeightsOnTakeTheAnswersWeight",
                  {weighted(question("23", "1;2;3;"), weights({{2, 2.0}, {3, 3.0}}))},
                  weightsOn(),
                  {0, 2, 3},
                  {0, 0, 0},
                  {1, 1, 1}},
        ScoreCase{"WeightsOnOptionTen",
                  {weighted(question("x", "10;A;"), weights({{10, 5.0}}))},
                  weightsOn(),
                  {5, 0},
                  {0, 0},
                  {1, 1}},
        ScoreCase{"WeightsOnCompact",
                  {weighted(question("x2", "A2X"), weights({{10, 4.0}, {2, 0.5}}))},
                  weightsOn(),
                  {4, 0.5f, 0},
                  {0, 0, 0},
                  {0, 0, 0}},
        ScoreCase{"QuestionsAddUpAndTheLastSetsTheKeypadCount",
                  {question("1", "1;1;1;1;", "1;1;1;1"), question("2", "2;3;", "2;2")},
                  {},
                  {2, 1},
                  {3, 1},
                  {1, 1}},
        ScoreCase{"AQuestionWithoutVotesIsSkipped",
                  {question("1", "1;2;"), question("1", "")},
                  {},
                  {1, 0},
                  {0, 0},
                  {1, 1}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ScoreQuiz, ResponseValuesAreReadAsLeadingNumbers)
{
    const std::vector<std::string> values = {"1",   "0.125", " 7",  "-1.5", "1e2",    "3.5x",
                                             "abc", ".25",   "12.", "+4",   "2.5E-1", "1234567890123456789"};
    for (const std::string &v : values) {
        const ScoringResult r = ScoreQuiz({question("1", "1;", v)}, {}, {});
        EXPECT_EQ(r.time[0], static_cast<float>(leadingNumber(v))) << v;
    }
}

TEST(ScoreQuiz, PossibleMaximumCountsEveryQuestionOrItsLargestWeight)
{
    const std::vector<QuestionInput> quiz = {weighted(question("1", "1;"), weights({{3, 4.0}})),
                                             weighted(question("1", ""), weights({{10, 2.5}}))};
    ScoringSettings s;
    EXPECT_EQ(ScoreQuiz(quiz, s, {}).possibleMaximum, 2.0);
    s.useWeightings = 1;
    EXPECT_EQ(ScoreQuiz(quiz, s, {}).possibleMaximum, 2.0);
    s.showNumberOfMaxScorers = true;
    EXPECT_EQ(ScoreQuiz(quiz, s, {}).possibleMaximum, 6.5);
    s.useWeightings = 0;
    EXPECT_EQ(ScoreQuiz(quiz, s, {}).possibleMaximum, 2.0);
}

TEST(ScoreQuiz, EveryKeypadOfAnAnswerStringCountsAsValid)
{
    // valid.kpd marks keypads 1 and 2 invalid; the scoring refills the table per question.
    const ScoringResult r = ScoreQuiz({question("2", "2;2;")}, {}, {0, 0, 0, 1});
    EXPECT_EQ(r.score, (std::vector<float>{1, 1}));
    EXPECT_EQ(r.validKeypads, (std::vector<int>{1, 1, 1, 1, 1}));
}

TEST(ScoreQuiz, CountingMaxScorersRaisesTheDisplayCountToTheKeypads)
{
    const QuestionInput q = question("1", "1;1;1;1;1;1;1;");
    ScoringSettings s;
    s.displayCount = 5;
    EXPECT_EQ(ScoreQuiz({q}, s, {}).displayCount, 5);
    s.showNumberOfMaxScorers = true;
    EXPECT_EQ(ScoreQuiz({q}, s, {}).displayCount, 7);
    s.displayCount = 9;
    EXPECT_EQ(ScoreQuiz({q}, s, {}).displayCount, 9);
}

TEST(ScoreQuiz, WithoutQuestionsNothingIsScored)
{
    const ScoringResult r = ScoreQuiz({}, {}, {1, 1});
    EXPECT_EQ(r.keypadCount, 0);
    EXPECT_TRUE(r.score.empty());
    EXPECT_EQ(r.possibleMaximum, 0.0);
    EXPECT_EQ(r.validKeypads, (std::vector<int>{1, 1}));
}

class CountingProgress : public ProgressView
{
  public:
    void setUpProgressBar(float maximum) override { setUps.push_back(maximum); }
    void incrementProgressBar() override { ++steps; }
    void unload() override { ++unloads; }
    std::vector<float> setUps;
    int steps = 0;
    int unloads = 0;
};

std::string listOf(int keypads)
{
    std::string answers;
    for (int i = 0; i < keypads; ++i)
        answers += "1;";
    return answers;
}

TEST(ScoreQuiz, ProgressWindowOpensFromFiveHundredAndOneSteps)
{
    struct Case {
        int keypads;
        int questions;
        std::vector<float> setUps;
        int steps;
        int unloads;
    };
    const std::vector<Case> cases = {
        {500, 1, {}, 0, 0},
        {501, 1, {501}, 501, 1},
        {251, 2, {502}, 502, 1},
        {250, 2, {}, 0, 0},
    };
    for (const Case &c : cases) {
        CountingProgress progress;
        ScoreQuiz(
            std::vector<QuestionInput>(static_cast<size_t>(c.questions), question("1", listOf(c.keypads))),
            {}, {}, &progress);
        EXPECT_EQ(progress.setUps, c.setUps) << c.keypads << "x" << c.questions;
        EXPECT_EQ(progress.steps, c.steps) << c.keypads << "x" << c.questions;
        EXPECT_EQ(progress.unloads, c.unloads) << c.keypads << "x" << c.questions;
    }
}

TEST(ScoreQuiz, CompactQuestionsNeverOpenTheProgressWindow)
{
    CountingProgress progress;
    ScoreQuiz({question("1", std::string(600, '1'))}, {}, {}, &progress);
    EXPECT_TRUE(progress.setUps.empty());
    EXPECT_EQ(progress.unloads, 0);
}

TEST(ScoreQuiz, LargeQuizWithoutProgressViewStillScores)
{
    const ScoringResult r = ScoreQuiz({question("1", listOf(1000))}, {}, {}, nullptr);
    EXPECT_EQ(r.keypadCount, 1000);
    EXPECT_EQ(r.score[999], 1.0f);
}

} // namespace
} // namespace quiz
