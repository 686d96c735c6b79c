#include "core/results/resultsbuild.h"

#include "core/common/text.h"
#include "core/common/writeformat.h"
#include "core/quiz/answerrule.h"

#include <algorithm>
#include <array>

namespace quiz
{

namespace
{

// The option an answer names, 0..10; -1 for anything else ("-", "A", text).
int optionOf(std::string_view answer)
{
    int value = 0;
    for (const char c : answer) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
        if (value > 10)
            return -1;
    }
    return answer.empty() ? -1 : value;
}

void layOutQuestionResults(ResultsGrid &g)
{
    g.setCols(12);
    g.setRows(1);
    g.setColAlign(0, CellAlign::LeftCenter);
    g.setColWidth(0, 3000);
    for (int c = 1; c <= 11; ++c) {
        g.setText(0, c, std::to_string(c - 1));
        g.setColAlign(c, CellAlign::CenterCenter);
        g.setColWidth(c, 600);
    }
}

void layOutKeypadHeader(ResultsGrid &g)
{
    g.setRowHeight(0, 480);
    g.setHeaderWordWrap(true);
    g.setText(0, 1, "Raw\r\nScore");
    g.setColWidth(1, 800);
    g.setColAlign(1, CellAlign::CenterCenter);
    g.setText(0, 2, "Weighted\r\nScore");
    g.setColWidth(2, 950);
    g.setColAlign(2, CellAlign::CenterCenter);
    g.setText(0, 0, "Participant Name");
    g.setColWidth(0, 1720);
    g.setColAlign(0, CellAlign::LeftCenter);
    g.setAlign(0, 0, CellAlign::CenterCenter);
}

// Places the names by keypad number; false when none was placed.
bool placeNames(ResultsGrid &g, const std::vector<Participant> &names)
{
    bool placed = false;
    for (const Participant &p : names) {
        if (p.name.empty() || p.keypad <= 0)
            continue;
        g.ensureRows(p.keypad + 1);
        g.setText(p.keypad, 0, p.name);
        placed = true;
    }
    return placed;
}

} // namespace

std::string itemCaption(const QuestionInfo &q, int k)
{
    if (q.isSeries())
        return q.name + "   [Iteration " + std::to_string(k) + "]";
    if (q.isRank())
        return q.name + "   [Item " + std::to_string(k) + "]";
    return q.name;
}

std::string itemVoteKey(const QuestionInfo &q, int k)
{
    if (q.isSeries() || q.isRank())
        return q.name + ";" + std::to_string(k) + "of" + std::to_string(q.itemCount);
    return q.name;
}

std::vector<std::string_view> splitVoteLine(std::string_view line)
{
    std::vector<std::string_view> answers;
    if (line.find(';') == std::string_view::npos) {
        for (std::size_t i = 0; i < line.size(); ++i)
            answers.push_back(line.substr(i, 1));
        return answers;
    }
    std::size_t start = 0;
    for (std::size_t semi; (semi = line.find(';', start)) != std::string_view::npos; start = semi + 1)
        answers.push_back(line.substr(start, semi - start));
    if (start < line.size())
        answers.push_back(line.substr(start));
    return answers;
}

std::size_t voteLineLength(std::string_view line)
{
    const std::size_t semis = static_cast<std::size_t>(std::count(line.begin(), line.end(), ';'));
    if (semis == 0)
        return line.size();
    return line.back() == ';' ? semis : semis + 1;
}

BuildOutcome BuildResultGrids(const std::vector<QuestionInfo> &questions, const VoteLookup &votes,
                              const std::vector<Participant> &names, ResultsGrids &grids,
                              const ResultsBuildHooks &hooks)
{
    ResultsGrid &byKeypad = grids.keypadResults;
    ResultsGrid &byQuestion = grids.questionResults;
    hooks.caption("Building results grid");
    layOutQuestionResults(byQuestion);
    byKeypad.setCols(3);
    byKeypad.setRows(1);
    if (questions.empty())
        return BuildOutcome::NoVotingSlides;

    for (const QuestionInfo &q : questions) {
        if (q.name.empty())
            continue;
        for (int k = 1; k <= q.itemCount; ++k) {
            const std::string caption = itemCaption(q, k);
            byQuestion.setRows(byQuestion.rows() + 1);
            byQuestion.setText(byQuestion.rows() - 1, 0, caption);
            byKeypad.setCols(byKeypad.cols() + 1);
            byKeypad.setColAlign(byKeypad.cols() - 1, CellAlign::CenterCenter);
            byKeypad.setText(0, byKeypad.cols() - 1, caption);
        }
    }

    // Every item's line counts, so that no SERIES or RANK answer falls past the grid.
    std::size_t positions = 0;
    bool anyLine = false;
    for (const QuestionInfo &q : questions) {
        if (q.name.empty())
            continue;
        for (int k = 1; k <= std::max(q.itemCount, 1); ++k) {
            const std::string line = votes(itemVoteKey(q, k));
            anyLine = anyLine || !line.empty();
            positions = std::max(positions, voteLineLength(line));
        }
    }
    // The grid gets all its rows at once (the keypads and the named ones):
    // growing it name by name would copy its cells again and again.
    int rows = 2;
    for (const Participant &p : names)
        if (!p.name.empty() && p.keypad > 0)
            rows = std::max(rows, p.keypad + 1);
    byKeypad.ensureRows(anyLine ? std::max(rows, static_cast<int>(positions) + 1) : rows);

    hooks.caption("Assigning names");
    layOutKeypadHeader(byKeypad);
    const bool namesPlaced = placeNames(byKeypad, names);
    if (!namesPlaced) {
        byKeypad.setText(0, 0, "Keypad Number");
        byKeypad.setColWidth(0, 800);
        byKeypad.setColAlign(0, CellAlign::CenterTop);
    }

    hooks.caption("Assigning Keypads");
    if (!anyLine)
        return BuildOutcome::NoVoteData;

    if (!namesPlaced)
        for (int r = 1; r < byKeypad.rows(); ++r)
            if (byKeypad.text(r, 0).empty()) {
                byKeypad.setText(r, 0, std::to_string(r));
                byKeypad.setAlign(r, 0, CellAlign::CenterTop);
            }
    std::vector<int> raw(byKeypad.rows(), 0);
    std::vector<float> weighted(byKeypad.rows(), 0.0f);

    hooks.caption("Inserting results");
    long long lowest = 2000000000;
    long long highest = 0;
    int column = 2;
    int questionRow = 0;
    const std::string total = std::to_string(questions.size());
    for (std::size_t qi = 0; qi < questions.size(); ++qi) {
        const QuestionInfo &q = questions[qi];
        if (q.name.empty())
            continue;
        hooks.caption("Inserting results - " + std::to_string(qi + 1) + " of " + total);
        std::array<double, 11> weights{};
        for (int o = 0; o <= 10; ++o)
            weights[o] = leadingNumber(q.weighting(o));
        for (int k = 1; k <= q.itemCount; ++k) {
            ++column;
            ++questionRow;
            std::array<int, 11> counts{};
            const std::string line = votes(itemVoteKey(q, k));
            const std::vector<std::string_view> answers = splitVoteLine(line);
            // The quiz's one answer rule ("p" the most popular option, "x" option 10).
            const RightOptions rightOptions(q.correctAnswers, line);
            for (std::size_t i = 0; i < answers.size(); ++i) {
                const int row = static_cast<int>(i) + 1;
                std::string_view answer = answers[i];
                if (answer.empty() || row >= byKeypad.rows())
                    continue;
                // "A" and the list entry "10" are option 10, shown "10";
                // "X" is shown as "A" and never counts.
                const bool right = rightOptions.contains(answerOption(answer));
                if (answer == "A" || answer == "10") {
                    answer = "10";
                } else if (answer == "X") {
                    answer = "A";
                }
                byKeypad.setText(row, column, answer);
                if (answer != "-") {
                    lowest = std::min<long long>(lowest, row);
                    highest = std::max<long long>(highest, row);
                }
                const int option = optionOf(answer);
                if (right) {
                    byKeypad.mark(row, column, MarkGreen);
                    ++raw[row];
                    const double weight = option >= 0 ? weights[option] : leadingNumber(q.weighting(-1));
                    weighted[row] += static_cast<float>(weight);
                    if (weight != 1.0)
                        byKeypad.setText(row, column, std::string(answer) + " (" + q.weighting(option) + ")");
                }
                if (option >= 0)
                    ++counts[option];
            }
            for (int o = 0; o <= 10; ++o) {
                const int c = o + 1;
                if (rightOptions.contains(o))
                    byQuestion.mark(questionRow, c, MarkGreen);
                if (o >= q.firstOption && o <= q.firstOption + q.optionCount - 1) {
                    byQuestion.setText(questionRow, c, std::to_string(counts[o]));
                    byQuestion.setAlign(questionRow, c, CellAlign::CenterCenter);
                } else {
                    byQuestion.mark(questionRow, c, MarkButtonFace);
                }
            }
        }
    }

    hooks.caption("Allocating Scores");
    for (int r = 1; r < byKeypad.rows(); ++r) {
        byKeypad.mark(r, 1, MarkBlue);
        byKeypad.setText(r, 1, std::to_string(raw[r]));
        byKeypad.setText(r, 2, formatSingle(weighted[r]));
    }
    // Keep the rows from the lowest to the highest keypad that voted.
    const int dataRows = byKeypad.rows() - 1;
    const int last = static_cast<int>(std::min<long long>(highest, dataRows));
    byKeypad.removeRows(last + 1, dataRows - last);
    const int first = static_cast<int>(std::min<long long>(lowest, byKeypad.rows()));
    byKeypad.removeRows(1, first - 1);

    const int voted = byQuestion.cols();
    byQuestion.setCols(voted + 1);
    byQuestion.setText(0, voted, "Voted");
    byQuestion.setColAlign(voted, CellAlign::CenterCenter);
    for (int r = 1; r < byQuestion.rows(); ++r) {
        long long sum = 0;
        for (int c = 1; c < voted; ++c)
            sum += leadingInt(byQuestion.text(r, c));
        byQuestion.setText(r, voted, std::to_string(sum));
    }
    return BuildOutcome::Built;
}

} // namespace quiz
