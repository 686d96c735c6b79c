#include "core/setup/setupoptions.h"

namespace quiz
{

DisplayOptions withShowScores(DisplayOptions options, int value)
{
    options.showScores = value;
    options.useWeightingsEnabled = value == 1;
    return options;
}

DisplayOptions withShowNumberOfMaxScorers(DisplayOptions options, bool on)
{
    options.showNumberOfMaxScorers = on;
    if (on) {
        options.text1.assign(1, '1'); // the one place: the number of keypads with full marks
        options = withShowScores(options, 0);
        options.useWeightings = 0;
        options.showOnlyMaxScorers = false;
    }
    options.placingEnabled = !on;
    options.showScoresEnabled = !on;
    options.useWeightingsEnabled = !on;
    options.showOnlyMaxScorersEnabled = !on;
    return options;
}

int LayoutPlacings(const QuizState &state)
{
    const PointD automatic{-1, -1};
    int places = 0;
    while (size_t(places) < state.annotationPositions.size() &&
           state.annotationPositions[size_t(places)][0] != automatic)
        ++places;
    return places;
}

} // namespace quiz
