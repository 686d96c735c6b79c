#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quiz
{

struct QuizState;
struct RankedKeypad;

// The display's set-up values that decide what its rows show.
struct DisplayRowSettings {
    int displayCount = 5;
    int keypadsStartFrom = 1;
    int showScores = 1;      // 1 fills the score annotations
    int showKeypadNames = 0; // 1 fills the name annotations
    bool showOnlyMaxScorers = false;
    bool showNumberOfMaxScorers = false;
    std::array<std::string, 2> textToAdd; // before and after the score
};
DisplayRowSettings displayRowSettingsFrom(const QuizState &state);

// What the ranked results do to one display row r: its name annotation is
// tool 2r, its score annotation tool 2r + 1. Unset texts keep the placeholder.
struct DisplayRow {
    std::optional<std::string> nameText;
    std::optional<std::string> scoreText;
    bool hideName = false;  // switch the name annotation off
    bool hideScore = false; // switch the score annotation off
    bool operator==(const DisplayRow &) const = default;
};

struct DisplayRows {
    std::vector<DisplayRow> rows;              // from display row 0; later rows keep their placeholders
    std::optional<std::string> maxScorerCount; // counting max scorers: the text of annotation 0
    int keypadsStartFrom = 1;                  // the first place shown (a value below 1 becomes 1)
};

// Fills the rows from the ranked table (best first). nameOf gives a keypad's label.
DisplayRows FillDisplayRows(const std::vector<RankedKeypad> &ranking, double possibleMaximum,
                            const DisplayRowSettings &settings,
                            const std::function<std::string(int keypad)> &nameOf);

// The score as the display writes it: rounded to a whole number, halves away from zero.
std::string formatWholeScore(double score);

// Where the rows go: the chart's annotations by tool index.
class AnnotationTarget
{
  public:
    virtual ~AnnotationTarget() = default;
    virtual void setAnnotationText(int index, const std::string &text) = 0;
    virtual void setAnnotationActive(int index, bool active) = 0;
};
// Applies the filled rows to the annotations (texts first, then switching off).
void ApplyDisplayRows(const DisplayRows &rows, AnnotationTarget &target);

} // namespace quiz
