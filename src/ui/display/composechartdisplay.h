#pragma once

#include "ui/display/chartwindowparts.h"

#include <string>

namespace quiz
{

struct RunContext;
class ChartCanvas;
class FrmTChartDisplay;
struct DisplayRows;

ChartWindowParts chartWindowParts(FrmTChartDisplay &window);

// Builds the display rows on the window's chart: the window is hidden, the
// chart covers it, the focus button goes out of sight, then displayRowCount
// rows of annotations are added (name 2r, score 2r + 1) with their
// placeholder texts, positions, invisible boxes and the display font. On the
// display window (forLayoutEditor false) the scored rows, when given, fill
// them. Unless skipBackground, the slide picture under the chart becomes its
// background and the display window's focus timer starts. The window is left
// hidden.
void ComposeChartDisplay(RunContext &ctx, const ChartWindowParts &target, bool forLayoutEditor,
                         bool skipBackground, int displayRowCount, const DisplayRows *rows = nullptr);

// With the trace on, where the top left of each shown annotation lies on the
// screen: "WHO annotation N at X,Y" (the layout editor and the display window
// are compared by it under a window manager).
void traceAnnotationsOnScreen(const std::string &who, const ChartCanvas &chart);

} // namespace quiz
