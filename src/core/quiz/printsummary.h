#pragma once

#include "ports/printer.h"

#include <functional>
#include <string>
#include <vector>

namespace quiz
{

struct RunContext;

// The printed score summary: one line per keypad with its name, the share of
// questions it answered right and its right answers over the questions.

// The title of the summary's messages (the program's own title).
inline constexpr const char *kSummaryMessageTitle = "Quiz";
// The title the print dialog shows, and the print job's name.
inline constexpr const char *kSummaryPrintTitle = "Print Quiz Score Summary";

// One question as the summary counts it.
struct SummaryQuestion {
    std::string correctAnswer; // each character a right answer; "p"/"P": the most popular
    std::string answers;       // the latest answer string, compact or list form ("" not voted)
};

// Right answers per keypad index (keypad number = index + 1).
struct RightAnswerCounts {
    int questionCount = 0; // questions with votes
    int keypadCount = 50;  // keypads of the last question with votes; 50 before any
    std::vector<int> right;
    int rightOf(int index) const
    {
        return index >= 0 && index < static_cast<int>(right.size()) ? right[static_cast<size_t>(index)] : 0;
    }
};

// Counts the right answers of every keypad (the rule of answerrule.h): a
// keypad gains one for a question when its answer is one of the right
// options, and only while valid.kpd flags it valid (validKeypads is indexed
// by keypad number; keypads beyond the table are not valid). Questions
// without votes are not counted; a keypad keeps its count when a later
// question has fewer keypads.
RightAnswerCounts CountRightAnswers(const std::vector<SummaryQuestion> &questions,
                                    const std::vector<int> &validKeypads);

// right / questions x 100 rounded to a whole number (halves to even), then
// "%"; "0%" when no question has votes.
std::string summaryPercentage(int right, int questionCount);

// Where the summary's columns start (characters): the percentage column moves
// right for long names so that the three columns stay apart.
inline constexpr int summaryPercentageColumn = 28;
inline constexpr int summaryLongNamePercentageColumn = 42;
inline constexpr int summaryColumnGap = 12; // from the percentage to the fraction column
int summaryPercentageColumnFor(const std::string &name);

// The page: the header lines "Name/", "Percentage", "Total score/" and
// "keypad", "correct", "possible score", an empty line, then one line per
// keypad 1..keypadCount: name (nameOf(keypad)), percentage, right/questions.
PrintDocument ScoreSummaryDocument(const RightAnswerCounts &counts,
                                   const std::function<std::string(int)> &nameOf);

// The PRINT mode's work, once start-up has read the set-up, the valid keypads
// and the participant names. quizList holds the quiz's question file names.
// Without votes.rec: "Could not find " + dataFolder + "/votes.rec", end of the
// run. A cancelled print dialog ends the run quietly; a failing printer ends
// it without a message (the reason goes to standard error). Returns after
// printing.
void PrintScoreSummary(RunContext &ctx, const std::vector<std::string> &quizList, Printer &printer);

} // namespace quiz
