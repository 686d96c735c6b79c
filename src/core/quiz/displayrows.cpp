#include "core/quiz/displayrows.h"

#include "core/quiz/ranking.h"
#include "core/startup/quizstate.h"

#include <cmath>
#include <cstdio>

namespace quiz
{

DisplayRowSettings displayRowSettingsFrom(const QuizState &state)
{
    DisplayRowSettings s;
    s.displayCount = state.displayCount;
    s.keypadsStartFrom = state.keypadsStartFrom;
    s.showScores = state.showScores;
    s.showKeypadNames = state.showKeypadNames;
    s.showOnlyMaxScorers = state.showOnlyMaxScorers;
    s.showNumberOfMaxScorers = state.showNumberOfMaxScorers;
    s.textToAdd = state.textToAdd;
    return s;
}

std::string formatWholeScore(double score)
{
    double rounded = std::round(score); // halves away from zero
    if (rounded == 0)
        rounded = 0; // no "-0"
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", rounded);
    return buffer;
}

DisplayRows FillDisplayRows(const std::vector<RankedKeypad> &ranking, double possibleMaximum,
                            const DisplayRowSettings &settings,
                            const std::function<std::string(int keypad)> &nameOf)
{
    DisplayRows out;
    out.keypadsStartFrom = settings.keypadsStartFrom < 1 ? 1 : settings.keypadsStartFrom;

    if (settings.showNumberOfMaxScorers) {
        const auto maximum = static_cast<float>(possibleMaximum);
        int count = 0;
        for (const RankedKeypad &entry : ranking) {
            if (entry.score != maximum)
                break;
            ++count;
        }
        out.maxScorerCount = std::to_string(count);
        return out;
    }

    const long long n = static_cast<long long>(ranking.size());
    for (long long r = 0; r < settings.displayCount; ++r) {
        const long long i = r + out.keypadsStartFrom - 1;
        if (i > n - 1)
            break;
        const RankedKeypad &entry = ranking[static_cast<size_t>(i)];
        DisplayRow row;
        if (entry.voted == 1.0f) {
            if (settings.showKeypadNames == 1)
                row.nameText = nameOf(static_cast<int>(entry.keypad));
            if (settings.showScores == 1)
                row.scoreText = settings.textToAdd[0] + formatWholeScore(entry.score) + settings.textToAdd[1];
            if (settings.showOnlyMaxScorers && i > 0 && entry.score < ranking[0].score) {
                row.hideName = true;
                row.hideScore = settings.showScores == 1;
            }
        } else {
            row.nameText = "-";
            row.scoreText = "-";
            if (settings.showOnlyMaxScorers && i >= 1) {
                row.hideName = true;
                row.hideScore = true;
            }
        }
        out.rows.push_back(std::move(row));
    }
    return out;
}

void ApplyDisplayRows(const DisplayRows &rows, AnnotationTarget &target)
{
    if (rows.maxScorerCount) {
        target.setAnnotationText(0, *rows.maxScorerCount);
        return;
    }
    for (size_t r = 0; r < rows.rows.size(); ++r) {
        const DisplayRow &row = rows.rows[r];
        const int name = static_cast<int>(2 * r), score = name + 1;
        if (row.nameText)
            target.setAnnotationText(name, *row.nameText);
        if (row.scoreText)
            target.setAnnotationText(score, *row.scoreText);
        if (row.hideName)
            target.setAnnotationActive(name, false);
        if (row.hideScore)
            target.setAnnotationActive(score, false);
    }
}

} // namespace quiz
