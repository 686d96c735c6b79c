#include "core/results/resultslayout.h"

namespace quiz
{

ResultsLayout resultsWindowLayout(int w, int h)
{
    const auto when = [](bool test, int value) { return test ? std::optional<int>(value) : std::nullopt; };
    ResultsLayout l;
    l.tabHeight = when(h - 700 > 0, h - 700);
    l.tabWidth = when(w - 150 > 0, w - 150);
    l.keypadHeight = when(h - 1200 > 0, h - 1200);
    l.keypadWidth = when(w - 2200 > 0, w - 400);
    l.questionHeight = when(h - 1200 > 0, h - 1200);
    l.questionWidth = when(w - 400 > 0, w - 400);
    l.fullHeight = when(h - 1550 > 0, h - 1550);
    l.fullWidth = when(w - 2200 > 0, w - 400);
    // Below 9375 twips the buttons stay where that width puts them.
    const int right = w > 9375 ? w : 9375;
    l.exitLeft = right - 2040;
    l.insertLeft = right - 4080;
    l.exportLeft = right - 6120;
    return l;
}

} // namespace quiz
