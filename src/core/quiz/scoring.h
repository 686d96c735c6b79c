#pragma once

#include "core/quiz/displayrows.h"
#include "core/quiz/ranking.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quiz
{

class ProgressView;

// The weight table of one question: entries 0..9 weigh the options 0..9,
// entry 10 the answer "x" (option 10); 11 and 12 only come from a file.
using WeightTable = std::array<double, 13>;

// One quiz question as the scoring sees it once its files are read.
struct QuestionInput {
    std::string correctAnswer; // each character a right answer; "p"/"P": the most popular
    WeightTable weights{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    // The question's latest answer string ("" when never voted) and the
    // response values that go with it, separated by ";". Views: the texts
    // stay where they are (in the vote records) while the scoring runs.
    std::string_view answers;
    std::string_view responseText;
};

// The set-up values the scoring reads.
struct ScoringSettings {
    int useWeightings = 0;               // 1 takes the weights of the question files
    bool showNumberOfMaxScorers = false; // also makes the largest weight count towards possibleMaximum
    int displayCount = 5;
};

// Totals per keypad index (keypad number = index + 1), in keypad order.
struct ScoringResult {
    int keypadCount = 0; // keypads of the last question scored
    std::vector<float> score;
    std::vector<float> time;
    std::vector<float> voted; // 1 once the keypad answered a list-form question
    double possibleMaximum = 0;
    bool anyListForm = false;
    int displayCount = 5;          // raised to the keypad count when only max scorers are counted
    std::vector<int> validKeypads; // as the scoring leaves it (refilled for every question)
    int threads = 1;               // 2 when the keypads were scored in two halves at once
};

// Scores the questions in quiz order. Pure: it reads only its arguments. The
// progress view (may be null) is opened once a list-form question makes
// keypads x questions reach 501, stepped once per keypad entry and unloaded
// at the end. The per-keypad loop allocates nothing.
ScoringResult ScoreQuiz(const std::vector<QuestionInput> &questions, const ScoringSettings &settings,
                        std::vector<int> validKeypads, ProgressView *progress = nullptr);

} // namespace quiz
