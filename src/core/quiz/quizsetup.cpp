#include "core/quiz/quizsetup.h"

namespace quiz
{

QuizSetup setupOf(const QuizState &s)
{
    QuizSetup setup;
    setup.displayCount = s.displayCount;
    setup.area = s.displayAreas[0];
    setup.places = s.annotationPositions;
    setup.reserved1 = s.reserved1;
    setup.reserved2 = s.reserved2;
    setup.font = displayFontChoice(s);
    setup.showScores = s.showScores;
    setup.showKeypadNames = s.showKeypadNames;
    setup.onFinishChoice = s.onFinishChoice;
    setup.autoStart = s.autoStart;
    setup.useWeightings = s.useWeightings;
    setup.showNumberOfMaxScorers = s.showNumberOfMaxScorers;
    setup.showOnlyMaxScorers = s.showOnlyMaxScorers;
    setup.keypadsStartFrom = s.keypadsStartFrom;
    setup.textToAdd = s.textToAdd;
    return setup;
}

void applySetup(QuizState &s, const QuizSetup &setup)
{
    s.displayCount = setup.displayCount;
    s.displayAreas[0] = setup.area;
    s.annotationPositions = setup.places;
    if (s.rankLabelPositions.size() < setup.places.size())
        s.rankLabelPositions.resize(setup.places.size(), PointD{3000, 600});
    s.reserved1 = setup.reserved1;
    s.reserved2 = setup.reserved2;
    setDisplayFont(s, setup.font);
    s.showScores = setup.showScores;
    s.showKeypadNames = setup.showKeypadNames;
    s.onFinishChoice = setup.onFinishChoice;
    s.autoStart = setup.autoStart;
    s.useWeightings = setup.useWeightings;
    s.showNumberOfMaxScorers = setup.showNumberOfMaxScorers;
    s.showOnlyMaxScorers = setup.showOnlyMaxScorers;
    s.keypadsStartFrom = setup.keypadsStartFrom;
    s.textToAdd = setup.textToAdd;
}

} // namespace quiz
