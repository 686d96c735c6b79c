#include "core/display/displaylayout.h"

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

QuizState stateWithRows(int rows)
{
    QuizState s;
    s.displayCount = rows;
    s.annotationPositions.assign(static_cast<std::size_t>(rows) + 1,
                                 {PointD{-1, -1}, PointD{-1, -1}, PointD{-1, -1}});
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
    struct Case {
        int row;
        AnnotationKind kind;
        PointD saved;
        double widthPx, heightPx;
        int tpp;
        PointD at;
    } cases[] = {
        {0, AnnotationKind::Name, {0.5, 0.25}, 800, 600, 15, {400, 150}},
        {0, AnnotationKind::Name, {0.5, 0.25}, 800, 600, 12, {400, 150}},
        {0, AnnotationKind::Name, {0.5, 0.25}, 800, 600, 8, {400, 150}},
        {2, AnnotationKind::Score, {0.1, 0.3}, 1001, 601, 15, {100.1, 180.3}}, // keeps its fractional pixel
        {1, AnnotationKind::Score, {-1, 0.5}, 800, 600, 15, {300, 60}},        // one -1: unplaced
        {1, AnnotationKind::Score, {0.5, -1}, 800, 600, 15, {300, 60}},
    };
    for (const auto &c : cases) {
        const PointD p =
            annotationPosition(c.row, c.kind, c.saved, c.widthPx * c.tpp, c.heightPx * c.tpp, c.tpp, c.tpp);
        EXPECT_DOUBLE_EQ(p.x, c.at.x) << c.row << " " << c.tpp;
        EXPECT_DOUBLE_EQ(p.y, c.at.y) << c.row << " " << c.tpp;
    }
    QuizState noTable; // missing rows of the position table are unplaced
    const auto a = composeAnnotations(noTable, 2, 9000, 9000);
    EXPECT_EQ(a[3].left, 300);
    EXPECT_EQ(a[3].top, 60);
    EXPECT_TRUE(composeAnnotations(stateWithRows(0), 0, 1, 1).empty());
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

TEST(DisplayLayout, AreaMovesDownByTwentyTwoPixelsOfTheScreen)
{
    // 768 pixels high at 15 twips per pixel.
    EXPECT_FLOAT_EQ(displayAreaTopShift(15, 768 * 15), 22.0f / 768);
    EXPECT_FLOAT_EQ(displayAreaTopShift(15, 0), 0.0f);
}

} // namespace
} // namespace quiz
