#pragma once

#include "core/quiz/answerrule.h"
#include "core/quiz/scoring.h"
#include "core/workbook/workbook.h"

#include <functional>
#include <string>
#include <vector>

namespace quiz
{

// One vote of a round, read from its files.
struct ExportVote {
    std::string entry;    // the text of the quiz list's entry
    bool present = false; // its question file exists
    std::string correctAnswer;
    std::string answers; // the latest answer string, compact or list form ("" not voted)
    WeightTable weights{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
};

// One round: a quiz of the presentation.
struct ExportRound {
    std::string quizFileName;
    std::vector<ExportVote> votes;
};

// The colours of the individual results sheet (the spreadsheet's palette
// indices 49, 15, 33, 50).
inline constexpr Rgb kResultsHeaderFill = 0x33CCCC;  // 49
inline constexpr Rgb kResultsAnswerFill = 0xC0C0C0;  // 15
inline constexpr Rgb kResultsScoreFill = 0x00CCFF;   // 33
inline constexpr Rgb kResultsCorrectFont = 0x99CC00; // 50
inline constexpr double kResultsHeaderRowHeight = 80.25;
inline constexpr double kResultsTotalsColumnWidth = 8.86;

// Builds the individual results sheet round by round: per round one column
// per vote whose file exists (keypad answers in rows 4..), correct answers
// bold and coloured with their weight, the round's raw and weighted scores;
// then the totals in columns A..C. Columns are addressed by number, so a
// sheet may have any number of them.
class QuizResultsSheet
{
  public:
    // yield is called once per vote and once per keypad answer.
    explicit QuizResultsSheet(Sheet &sheet, std::function<void()> yield = {});

    void addRound(const ExportRound &round);
    // The first three columns: names, total raw and weighted scores.
    void finish(const std::function<std::string(int)> &nameOf);

    // Keypad rows of the totals (keypads 1..keypadRows).
    int keypadRows() const { return rows_; }
    int nextColumn() const { return col_ + 4; }

  private:
    void addVote(const ExportVote &vote);
    void formatRound(int start);
    void growTo(int rows);

    Sheet &sheet_;
    std::function<void()> yield_;
    int round_ = 0;
    int col_ = 0;  // the next vote goes to column col_ + 4
    int rows_ = 0; // M: keypads with a totals row
    std::vector<int> roundRaw_;
    std::vector<float> roundWeighted_;
    std::vector<int> totalRaw_;
    std::vector<float> totalWeighted_;
};

// How the sheet shows a keypad's answer and whether it is right (the rule of
// answerrule.h): "A" (and a list entry 10) is answer 10, shown "10"; "X" is
// shown "A"; an empty entry shows nothing; any other answer is shown as it is.
struct ShownAnswer {
    std::string text;
    bool correct = false;
    int weightIndex = -1; // the weight table's entry of a right answer
};
ShownAnswer showAnswer(const std::string &response, const RightOptions &right);
// The same against a correct answer text ("p" names no option here).
ShownAnswer showAnswer(const std::string &response, const std::string &correctAnswer);

// The cell value a text becomes: a text that reads back exactly as a number
// ("4", "10", "2.5") is stored as that number, as the spreadsheet stores typed
// numbers; anything else stays text.
void setShownValue(Sheet &sheet, int row, int column, const std::string &text);

// The whole workbook of one export: one sheet, "Sheet1".
Workbook QuizResultsWorkbook(const std::vector<ExportRound> &rounds,
                             const std::function<std::string(int)> &nameOf,
                             const std::function<void()> &yield = {});

} // namespace quiz
