#pragma once

#include <optional>

namespace quiz
{

// Where the results window's controls go for a window of width x height
// twips. A size is only given when the window leaves room for it; a control
// without one keeps its size.
struct ResultsLayout {
    std::optional<int> tabHeight, tabWidth;
    std::optional<int> keypadHeight, keypadWidth;
    std::optional<int> questionHeight, questionWidth;
    std::optional<int> fullHeight, fullWidth;
    int exitLeft = 0, insertLeft = 0, exportLeft = 0;
};

ResultsLayout resultsWindowLayout(int width, int height);

} // namespace quiz
