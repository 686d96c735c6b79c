#include "core/display/chartmodel.h"
#include "core/display/layouteditor.h"
#include "core/quiz/displayannotations.h"

#include "fakes/fakedialogs.h"
#include "support/rows.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quiz
{
namespace
{

// count rows at (0, 60r) and (300, 60r), as the composition places them
// unsaved; the annotations whose index is in `selected` are selected.
Annotations rows(int count, std::initializer_list<int> selected = {})
{
    Annotations a(static_cast<std::size_t>(2 * count));
    for (std::size_t t = 0; t < a.size(); ++t)
        std::tie(a[t].left, a[t].top) = std::make_pair(300.0 * (t % 2), 60.0 * double(t / 2));
    for (int t : selected)
        a[static_cast<std::size_t>(t)].highlight.visible = true;
    return a;
}

// "left,top" of every annotation, blank-separated.
std::string layout(const Annotations &a)
{
    std::string out;
    for (const Annotation &x : a)
        out += (out.empty() ? "" : " ") + std::to_string(std::lround(x.left)) + "," +
               std::to_string(std::lround(x.top));
    return out;
}

using Editor = test::RowTest;

TEST_P(Editor, MovesSelectsAndAsksAsTheRowSays)
{
    const test::Row &r = GetParam();
    const std::vector<RectD> boxes{{0, 0, 30, 20}, {300, 0, 30, 20}, {0, 60, 30, 20}, {300, 60, 30, 20}};
    Annotations a = rows(3, {1, 2});
    if (r.name == "keys") {
        for (const std::string &key : r.list(0))
            EXPECT_EQ(editorKeyDown(a, std::stoi(key), r.num(1)), r.flag(2)) << key;
    } else if (r.name == "align" || r.name == "align names") {
        if (r.name == "align names")
            selectKind(a, AnnotationKind::Name);
        if (r[1] == "none")
            deselectAll(a);
        alignSelected(a, r[0] == "top" ? AlignEdge::Top : AlignEdge::Left);
        EXPECT_FALSE(anySelected(a));
    } else if (r.name == "distribute") {
        const auto m = r.floats(1);
        distribute(a, r.num(0), DistributeMetrics{m[0], m[1], m[2], m[3], m[4]});
    } else if (r.name == "per column") {
        EXPECT_EQ(rowsPerColumn(r.num(0), r.num(1)), r.num(2));
        return;
    } else if (r.name == "drag") {
        // Annotation 0 dragged in a 400 x 300 chart, 3 selected; the cursor starts at (100, 100).
        a = rows(2, {3});
        EditorMouse m;
        EXPECT_EQ(m.mouseMove(a, boxes, 10, 10, {}), EditorMouse::Pointer::SizeAll);
        EXPECT_FALSE(m.dragging()) << "nothing held";
        EXPECT_FALSE(m.mouseDown(a, boxes, 1, 10, 10, true, {100, 100})) << "the left button only holds";
        EXPECT_EQ(m.mouseMove(a, boxes, 200, 200, {}), EditorMouse::Pointer::Default);
        m.mouseMove(a, boxes, 10, 10, {90, 90}); // the drag counts from the press on the same annotation
        EXPECT_EQ(m.mouseMove(a, boxes, 300, 60, {}), EditorMouse::Pointer::Unchanged);
        EXPECT_FALSE(m.dragTick(a, {100, 100}, 400, 300)) << "no movement";
        EXPECT_TRUE(m.dragTick(a, {101, 101}, 400, 300));
        const auto to = r.floats(0);
        EXPECT_TRUE(m.mouseUp(a, {int(to[0]), int(to[1])}, 400, 300))
            << "the release takes the last movement";
        EXPECT_FALSE(m.dragging() || m.held() || m.dragTick(a, {0, 0}, 400, 300));
    } else if (r.name == "hit") {
        // Boxes 0 and 1 overlap, 2 lies apart; the right and bottom edges lie outside.
        std::vector<Annotation> three(3);
        three[0].active = !r.flag(1);
        const auto at = r.floats(0);
        EXPECT_EQ(annotationAt(three, {{0, 0, 50, 20}, {40, 0, 50, 20}, {200, 200, 10, 10}}, at[0], at[1]),
                  r.num(2));
        return;
    } else {
        ASSERT_EQ(r.name, "ask") << "a row nobody reads";
        test::FakeDialogs d;
        for (const std::string &answer : r.list(0, ';'))
            d.textAnswers.push_back(answer == "cancel" ? std::nullopt
                                                       : std::optional(answer == "empty" ? "" : answer));
        const std::optional<int> columns = askDistributeColumns(d);
        EXPECT_EQ(columns ? std::to_string(*columns) : "-", r[1]);
        ASSERT_EQ(d.messages.size(), size_t(r.num(2)));
        for (size_t i = 0; i < d.messages.size(); ++i)
            EXPECT_EQ(d.said(i),
                      "Quiz - Invalid Entry|Number of colums must be in the range of 1 - 10|exclamation|ok");
        EXPECT_EQ(std::tie(d.inputs.front().first, d.prompts.front(), d.inputs.front().second),
                  std::make_tuple("Enter the number of columns you wish to distribute to (1-10)",
                                  "Number of Columns", "1"));
        return;
    }
    EXPECT_EQ(layout(a), r[3]);
}
QUIZ_ROWS(Editor, "display/editor.rows");

// The drag pressed beside the annotation counts from reaching it.
TEST(LayoutEditorMouse, ADragPressedBesideCountsFromReachingTheAnnotation)
{
    const std::vector<RectD> boxes{{0, 0, 30, 20}, {300, 0, 30, 20}, {0, 60, 30, 20}, {300, 60, 30, 20}};
    EditorMouse m;
    Annotations a = rows(2);
    m.mouseDown(a, boxes, 1, 200, 200, true, {0, 0});
    m.mouseMove(a, boxes, 10, 10, {50, 50});
    EXPECT_TRUE(m.mouseUp(a, {60, 50}, 400, 300));
    EXPECT_EQ(layout(a), "10,1 300,0 0,60 300,60");
}

TEST(LayoutEditorMouse, RightClickTogglesOnlyTheLowestActiveHit)
{
    Annotations a = rows(2);
    a[0].active = false;
    const std::vector<RectD> boxes(4, RectD{0, 0, 50, 20}); // all overlap
    EditorMouse m;
    EXPECT_FALSE(m.mouseDown(a, boxes, 2, 10, 10, true));
    EXPECT_FALSE(m.mouseDown(a, boxes, 2, 10, 10, true)); // toggled back
    EXPECT_FALSE(m.mouseDown(a, boxes, 2, 10, 10, true));
    EXPECT_TRUE(!isSelected(a[0]) && isSelected(a[1]) && !isSelected(a[2]) && !isSelected(a[3]));
}

TEST(LayoutEditorClose, StoredFractionsComposeAgainAtAnotherSizeOnTheSamePlaces)
{
    QuizState s;
    s.displayCount = 2;
    s.twipsPerPixelY = 12;
    Annotations a = rows(3); // one row more than the display count: not stored
    std::tie(a[0].left, a[0].top, a[3].left, a[3].top) = std::make_tuple(200, 150, 700, 480);
    static_cast<FontChoice &>(a[0].font) = FontChoice{"Serif", 30, true, false, true, false, 0xFF};
    storeLayout(s, a, 800 * 15, 600 * 12);
    ASSERT_EQ(s.annotationPositions.size(), 2u);
    EXPECT_EQ(s.annotationPositions[0][0], (PointD{0.25, 0.25}));
    EXPECT_EQ(s.annotationPositions[1][2], (PointD{-1, -1}));
    EXPECT_EQ(displayFontChoice(s), (FontChoice{"Serif", 30, true, false, true, false, 0xFF}));
    const Annotations half = composeAnnotations(s, 2, 400 * 15, 300 * 12);
    EXPECT_EQ(layout(half), "100,75 150,0 0,30 350,240");

    const auto area = displayAreaOf({300, 140, 640, 360}, {100, 50, 1280, 720});
    ASSERT_TRUE(area);
    EXPECT_EQ(std::make_tuple(area->width, area->height, area->left, area->top),
              std::make_tuple(0.5f, 0.5f, 0.15625f, 0.125f));
    EXPECT_FALSE(displayAreaOf({0, 0, 10, 10}, {0, 0, 0, 720}));
    EXPECT_EQ(layoutEditorPlace(*area, {100, 50, 1280, 720}, {}), (PixelRect{300, 140, 640, 360}));
    EXPECT_EQ(layoutEditorPlace({}, {0, 0, 1000, 500}, {}), (PixelRect{200, 100, 600, 300}));
    // Stored 22 pixels higher than it lies, as DISPLAY moves its area down again.
    const auto raised = displayAreaOf({300, 140, 640, 360}, {100, 50, 1280, 720}, 22.0f / 720);
    EXPECT_FLOAT_EQ(raised->top, 68.0f / 720);
    EXPECT_EQ(layoutEditorPlace(*raised, {100, 50, 1280, 720}, {}, 22.0f / 720),
              (PixelRect{300, 140, 640, 360}));
    // Closing where it opened keeps the stored place; moved, the new one.
    const DisplayArea odd{0.5f, 0.5f, 0.15625f, 0.1251f};
    EXPECT_EQ(closingDisplayArea(odd, layoutEditorPlace(odd, {100, 50, 1280, 720}, {}, 0.01f),
                                 {100, 50, 1280, 720}, 0.01f)
                  ->top,
              0.1251f);
    EXPECT_EQ(closingDisplayArea(odd, {300, 141, 640, 360}, {100, 50, 1280, 720}, 0)->top, 91.0f / 720);
}

// An index that is not a tool is refused.
TEST(ChartModel, ToolsAreNumberedInOrderAndOthersRefused)
{
    ChartModel m;
    EXPECT_EQ(m.addAnnotation(), 0);
    EXPECT_EQ(m.addAnnotation(Annotation{.text = "t1"}), 1);
    EXPECT_EQ(m.annotation(1).text, "t1");
    EXPECT_THROW(m.annotation(2), std::out_of_range);
    EXPECT_THROW(m.annotation(-1), std::out_of_range);
}

} // namespace
} // namespace quiz
