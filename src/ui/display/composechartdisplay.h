#pragma once

#include "core/votedata/voterecords.h"

#include <functional>
#include <future>
#include <string>
#include <vector>

class QLabel;
class QWidget;

namespace quiz
{

struct RunContext;
class ChartCanvas;
class FrmTChartDisplay;
struct DisplayRows;

// The scoring run of the display: scores the quiz and hands back the rows'
// texts (CalculateScores in the program).
using DisplayScoring = std::function<DisplayRows(RunContext &)>;
// CalculateScores over the quiz's question files (names in dataFolder), with
// the records when they are being read already (loadVoteRecordsInBackground).
DisplayScoring quizScoring(std::vector<std::string> quizList, std::shared_future<VoteRecords> records = {});

// The parts of a window that the composition builds on: the display window
// or the layout editor.
struct ChartWindowParts {
    QWidget *window = nullptr;
    ChartCanvas *chart = nullptr;
    QWidget *focusButton = nullptr;
    QLabel *picture1 = nullptr;
    std::function<void()> enableFocusTimer; // the display window's focus timer; empty elsewhere
};

ChartWindowParts chartWindowParts(FrmTChartDisplay &window);

// Builds the display rows on the window's chart: the window is hidden, the
// chart covers it, the focus button goes out of sight, then displayRowCount
// rows of annotations are added (name 2r, score 2r + 1) with their
// placeholder texts, positions, invisible boxes and the display font. On the
// display window (forLayoutEditor false) the scoring run fills them. Unless skipBackground, the slide picture
// under the chart becomes its background and the display window's focus timer starts. The window is left
// hidden.
void ComposeChartDisplay(RunContext &ctx, const ChartWindowParts &target, bool forLayoutEditor,
                         bool skipBackground, int displayRowCount, const DisplayScoring &scoring = {});

// With the trace on, where the top left of each shown annotation lies on the
// screen: "WHO annotation N at X,Y" (the layout editor and the display window
// are compared by it under a window manager).
void traceAnnotationsOnScreen(const std::string &who, const ChartCanvas &chart);

} // namespace quiz
