#include "core/common/writeformat.h"
#include "core/display/backgroundcapture.h"
#include "core/display/displaylayout.h"
#include "core/display/insertplacement.h"
#include "core/quiz/displayannotations.h"
#include "support/rows.h"

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

std::string places(const std::vector<Annotation> &a)
{
    std::string out;
    for (const Annotation &x : a)
        out += (out.empty() ? "" : " ") + formatNumber(x.left) + "," + formatNumber(x.top);
    return out;
}

// Unplaced annotations form two columns sixty pixels apart; a saved fraction is a
// part of the window whatever the twips per pixel; one -1 leaves it unplaced.
TEST(DisplayLayout, SavedFractionsOrTwoColumnsSixtyPixelsApart)
{
    EXPECT_EQ(places(composeAnnotations(stateWithRows(3), 3, 800 * 15, 600 * 15)),
              "0,0 300,0 0,60 300,60 0,120 300,120");
    QuizState noTable; // missing rows of the position table are unplaced
    EXPECT_EQ(places(composeAnnotations(noTable, 2, 9000, 9000)), "0,0 300,0 0,60 300,60");
    EXPECT_TRUE(composeAnnotations(stateWithRows(0), 0, 1, 1).empty());
    for (const int tpp : {15, 12, 8}) {
        const PointD p =
            annotationPosition(0, AnnotationKind::Name, {0.5, 0.25}, 800 * tpp, 600 * tpp, tpp, tpp);
        EXPECT_EQ(p, (PointD{400, 150})) << tpp;
    }
    const PointD fractional =
        annotationPosition(2, AnnotationKind::Score, {0.1, 0.3}, 1001 * 15, 601 * 15, 15, 15);
    EXPECT_DOUBLE_EQ(fractional.x, 100.1);
    EXPECT_DOUBLE_EQ(fractional.y, 180.3);
    for (const PointD saved : {PointD{-1, 0.5}, PointD{0.5, -1}})
        EXPECT_EQ(annotationPosition(1, AnnotationKind::Score, saved, 12000, 9000, 15, 15),
                  (PointD{300, 60}));
}

TEST(DisplayLayout, TextsFontsAndHiddenScores)
{
    QuizState s = stateWithRows(2);
    EXPECT_EQ(composeAnnotations(s, 2, 1, 1)[1].text, " S1");
    s.textToAdd = {"Score: ", " pts"};
    s.showScores = 0;
    s.displayFontName = "DejaVu Serif";
    s.displayFontSize = 31;
    s.displayFontBold = s.displayFontItalic = s.displayFontUnderline = s.displayFontStrikeThrough = true;
    s.displayFontColour = 0x0000FF; // red in blue-green-red
    std::string texts;
    for (const Annotation &a : composeAnnotations(s, 2, 1, 1)) {
        texts += a.text + (a.active ? "" : " (off)") + "; ";
        EXPECT_EQ(a.font.name, "DejaVu Serif");
        EXPECT_EQ(a.font.size, 31);
        EXPECT_TRUE(a.font.bold && a.font.italic && a.font.underline && a.font.strikeThrough);
        EXPECT_EQ(a.font.colour, 0x0000FFu);
        EXPECT_EQ(a.font.shadowTransparency, 100);
        EXPECT_EQ(a.boxTransparency, 100);
        EXPECT_EQ(a.shadowTransparency, 100);
        EXPECT_EQ(a.highlight, (AnnotationHighlight{false, 0, 4, 0}));
    }
    EXPECT_EQ(texts, "K1; Score:  S1 pts (off); K2; Score:  S2 pts (off); ");
    EXPECT_EQ(placeholderText(11, AnnotationKind::Name, s.textToAdd), "K12");
}

TEST(DisplayLayout, TheAreaOnTheSlideAndOnTheScreen)
{
    EXPECT_EQ(insertedChartRect(720, 540, DisplayArea{0.5f, 0.5f, 0.25f, 0.25f}),
              (SlideRect{180, 135, 380, 278}));
    EXPECT_EQ(insertedChartRect(960, 540, DisplayArea{}), (SlideRect{0, 0, 20, 8}));
    const SlideRect r =
        insertedChartRect(1000, 500, DisplayArea{0.3f, 0, 0.1f, 0}); // singles widened exactly
    EXPECT_DOUBLE_EQ(r.left, 1000 * static_cast<double>(0.1f));
    EXPECT_DOUBLE_EQ(r.width, 1000 * static_cast<double>(0.3f) + 20);
    // The area moves down by twenty-two pixels of a 768-pixel screen.
    EXPECT_FLOAT_EQ(displayAreaTopShift(15, 768 * 15), 22.0f / 768);
    EXPECT_FLOAT_EQ(displayAreaTopShift(15, 0), 0.0f);
}

using Clips = test::RowTest;

TEST_P(Clips, KeepTheChartsPlaceInsideThePicture)
{
    const test::Row &r = GetParam();
    const auto clip = [](const std::vector<float> &v) {
        return BackgroundClip{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
    };
    if (r.name.rfind("clip", 0) != 0) {
        EXPECT_EQ(keepClipInside(clip(r.floats(0)), 800, 600), clip(r.floats(1)));
        return;
    }
    const auto w = r.floats(1), show = r.floats(3);
    const ChartPlacementTwips chart{w[0], w[1], w[2], w[3], w[4], w[5]};
    const PixelRect window{int(show[0]), int(show[1]), int(show[2]), int(show[3])};
    EXPECT_EQ(backgroundClip(r.flag(0), chart, r.num(2), r.num(2), window, window.width, window.height),
              clip(r.floats(4)));
}
QUIZ_ROWS(Clips, "display/clipinside.rows");

} // namespace
} // namespace quiz
