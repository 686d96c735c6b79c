#pragma once

#include "core/startup/quizstate.h"

#include <string>

namespace quiz
{

// The display options of the set-up form as its controls hold them.
struct DisplayOptions {
    std::string text1 = "5"; // the last place shown
    int showScores = 1;      // showScoresCheckBox
    int useWeightings = 0;   // chkUseWeightings
    bool showOnlyMaxScorers = false;
    bool showNumberOfMaxScorers = false;
    // Enabled states.
    bool placingEnabled = true; // Label3, Label4, Text1
    bool showScoresEnabled = true;
    bool useWeightingsEnabled = true;
    bool showOnlyMaxScorersEnabled = true;
};

// showScoresCheckBox changed: weighted scores can be chosen only while the
// scores are shown.
DisplayOptions withShowScores(DisplayOptions options, int value);

// chk_ShowNumberOfMaxScorers changed: ticked, only the number of keypads with
// full marks is shown, so the last place becomes "1" and the score options
// are unticked; the placing and score options are enabled exactly while it is
// not ticked.
DisplayOptions withShowNumberOfMaxScorers(DisplayOptions options, bool on);

// How many places the stored layout holds: the leading places whose name
// text has a stored position (a reset place is automatic, (-1, -1)).
int LayoutPlacings(const QuizState &state);

} // namespace quiz
