#pragma once

#include "core/display/displayarea.h"
#include "core/startup/quizstate.h"
#include "ports/dialogs.h"

#include <array>
#include <string>
#include <vector>

namespace quiz
{

// A quiz's set-up, as its file holds it and the set-up windows show it.
struct QuizSetup {
    std::vector<std::string> questions;        // the quiz list: question file names in quiz order
    int displayCount = 5;                      // places shown
    DisplayArea area{};                        // the display window's area
    std::vector<std::array<PointD, 3>> places; // [place][text] positions of the annotations
    int reserved1 = 20;
    int reserved2 = 20;
    FontChoice font; // the display's font
    int showScores = 1;
    int showKeypadNames = 0;
    int onFinishChoice = 1; // 0 back to the show, 1 and go to the next slide
    bool autoStart = true;
    int useWeightings = 0;
    bool showNumberOfMaxScorers = false;
    bool showOnlyMaxScorers = false;
    int keypadsStartFrom = 1;
    std::array<std::string, 2> textToAdd; // before and after the score
};

// The last place shown (the set-up form's "to" box).
inline int lastPlace(const QuizSetup &s)
{
    return s.keypadsStartFrom - 1 + s.displayCount;
}

// The run's set-up values (its quiz list is empty: the run keeps none).
QuizSetup setupOf(const QuizState &state);

// The set-up into the run's values. The rank-label table is extended (never
// shrunk) so that every place has an entry.
void applySetup(QuizState &state, const QuizSetup &setup);

} // namespace quiz
