#pragma once

#include <functional>

class QLabel;
class QPushButton;
class QWidget;

namespace quiz
{

class ChartCanvas;

// The parts a chart window (the display window, the layout editor) is built
// of and that the composition works on: the chart "TChart", the hidden
// picture "Picture1" that carries the background, and the focus button
// "cmdFocus", kept out of sight, whose keys the window previews.
struct ChartWindowParts {
    QWidget *window = nullptr;
    ChartCanvas *chart = nullptr;
    QPushButton *focusButton = nullptr;
    QLabel *picture1 = nullptr;
    std::function<void()> enableFocusTimer; // the display window's focus timer; empty elsewhere
};

// Makes the chart, the picture and the focus button on the window; the window
// filters the focus button's events.
ChartWindowParts addChartWindowParts(QWidget *window);

} // namespace quiz
