#include "core/display/displaylayout.h"

#include <gtest/gtest.h>

namespace quiz {
namespace {

QuizState stateWithRows(int rows)
{
    QuizState s;
    s.displayCount = rows;
    s.annotationPositions.assign(static_cast<std::size_t>(rows) + 1, {PointD{-1, -1}, PointD{-1, -1}, PointD{-1, -1}});
    return s;
}

TEST(DisplayLayout, UnplacedAnnotationsFormTwoColumnsSixtyPixelsApart)
{
    const QuizState s = stateWithRows(3);
    const auto a = composeAnnotations(s, 3, 800 * 15, 600 * 15);
    ASSERT_EQ(a.size(), 6u);
    const double expected[6][2] = {{0, 0}, {300, 0}, {0, 60}, {300, 60}, {0, 120}, {300, 120}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(a[i].left, expected[i][0]) << "tool " << i;
        EXPECT_EQ(a[i].top, expected[i][1]) << "tool " << i;
    }
}

TEST(DisplayLayout, SavedFractionIsAPartOfTheWindowWhateverTheTwipsPerPixel)
{
    for (int tpp : {15, 12, 8}) {
        const PointD p =
            annotationPosition(0, AnnotationKind::Name, PointD{0.5, 0.25}, 800.0 * tpp, 600.0 * tpp, tpp, tpp);
        EXPECT_DOUBLE_EQ(p.x, 400) << tpp;
        EXPECT_DOUBLE_EQ(p.y, 150) << tpp;
    }
}

TEST(DisplayLayout, SavedPositionKeepsItsFractionalPixel)
{
    const PointD p = annotationPosition(2, AnnotationKind::Score, PointD{0.1, 0.3}, 1001 * 15, 601 * 15, 15, 15);
    EXPECT_DOUBLE_EQ(p.x, 100.1);
    EXPECT_DOUBLE_EQ(p.y, 180.3);
}

TEST(DisplayLayout, OneCoordinateMinusOneMeansUnplaced)
{
    for (PointD saved : {PointD{-1, 0.5}, PointD{0.5, -1}}) {
        const PointD p = annotationPosition(1, AnnotationKind::Score, saved, 8000, 6000, 15, 15);
        EXPECT_EQ(p, (PointD{300, 60}));
    }
}

TEST(DisplayLayout, MissingPositionTableRowsAreUnplaced)
{
    QuizState s; // no table at all
    const auto a = composeAnnotations(s, 2, 9000, 9000);
    EXPECT_EQ(a[3].left, 300);
    EXPECT_EQ(a[3].top, 60);
}

TEST(DisplayLayout, PlaceholderTextsCarryThePlaceAndTheScoreTexts)
{
    QuizState s = stateWithRows(2);
    EXPECT_EQ(composeAnnotations(s, 2, 1, 1)[1].text, " S1");
    s.textToAdd = {"Score: ", " pts"};
    const auto a = composeAnnotations(s, 2, 1, 1);
    EXPECT_EQ(a[0].text, "K1");
    EXPECT_EQ(a[1].text, "Score:  S1 pts");
    EXPECT_EQ(a[2].text, "K2");
    EXPECT_EQ(a[3].text, "Score:  S2 pts");
    EXPECT_EQ(placeholderText(11, AnnotationKind::Name, s.textToAdd), "K12");
}

TEST(DisplayLayout, HiddenScoresLeaveInactiveScoreAnnotationsInPlace)
{
    QuizState s = stateWithRows(3);
    s.showScores = 0;
    const auto a = composeAnnotations(s, 3, 1, 1);
    ASSERT_EQ(a.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(a[i].active, i % 2 == 0) << "tool " << i;
}

TEST(DisplayLayout, EveryAnnotationGetsTheDisplayFontAndAnInvisibleBox)
{
    QuizState s = stateWithRows(1);
    s.displayFontName = "DejaVu Serif";
    s.displayFontSize = 31;
    s.displayFontBold = true;
    s.displayFontItalic = true;
    s.displayFontUnderline = true;
    s.displayFontStrikeThrough = true;
    s.displayFontColour = 0x0000FF; // red in blue-green-red
    for (const Annotation &a : composeAnnotations(s, 1, 1, 1)) {
        EXPECT_EQ(a.font.name, "DejaVu Serif");
        EXPECT_EQ(a.font.size, 31);
        EXPECT_TRUE(a.font.bold && a.font.italic && a.font.underline && a.font.strikeThrough);
        EXPECT_EQ(a.font.colour, 0x0000FFu);
        EXPECT_EQ(a.font.shadowTransparency, 100);
        EXPECT_EQ(a.boxTransparency, 100);
        EXPECT_EQ(a.shadowTransparency, 100);
        EXPECT_EQ(a.highlight, (AnnotationHighlight{false, 0, 4, 0}));
    }
}

TEST(DisplayLayout, ZeroRowsGiveNoAnnotations)
{
    EXPECT_TRUE(composeAnnotations(stateWithRows(0), 0, 1, 1).empty());
}

TEST(DisplayLayout, AreaMovesDownByTwentyTwoPixelsOfTheScreen)
{
    // 768 pixels high at 15 twips per pixel.
    EXPECT_FLOAT_EQ(displayAreaTopShift(15, 768 * 15), 22.0f / 768);
    EXPECT_FLOAT_EQ(displayAreaTopShift(15, 0), 0.0f);
}

TEST(DisplayLayout, AnnotationIndexPairsNameAndScore)
{
    EXPECT_EQ(annotationIndex(0, AnnotationKind::Name), 0);
    EXPECT_EQ(annotationIndex(0, AnnotationKind::Score), 1);
    EXPECT_EQ(annotationIndex(4, AnnotationKind::Name), 8);
    EXPECT_EQ(annotationIndex(4, AnnotationKind::Score), 9);
}

} // namespace
} // namespace quiz
