#include "core/display/chartmodel.h"
#include "core/display/layouteditor.h"
#include "core/quiz/displayannotations.h"

#include "fakes/fakedialogs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

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

using Op = std::function<void(Annotations &)>;
Op keys(std::vector<int> codes, int shift)
{
    return [=](Annotations &a) {
        for (int key : codes)
            EXPECT_EQ(editorKeyDown(a, key, shift), key != 65 && key != 9) << key;
    };
}

TEST(LayoutEditor, KeysAlignAndDistributeMoveTheRightAnnotations)
{
    // Three rows, annotations 1 and 2 selected.
    const std::vector<std::pair<Op, std::string>> cases{
        {keys({keyPageDown, keyPageDown, keyPageDown}, 0), "0,0 300,0 0,90 300,90 0,180 300,180"},
        {keys({keyPageUp}, 1), "0,0 300,0 0,50 300,50 0,100 300,100"},
        {keys({keyDown, keyRight}, 0), "0,0 302,2 2,62 300,60 0,120 300,120"},
        {keys({keyUp, keyLeft}, 1), "0,0 295,-5 -5,55 300,60 0,120 300,120"},
        {keys({keyLeft}, 3), "0,0 298,0 -2,60 300,60 0,120 300,120"}, // Shift+Ctrl: 2
        {keys({65, 9}, 1), "0,0 300,0 0,60 300,60 0,120 300,120"},
        {[](Annotations &a) { alignSelected(a, AlignEdge::Top); }, "0,0 300,0 0,0 300,60 0,120 300,120"},
        {[](Annotations &a) { alignSelected(a, AlignEdge::Left); }, "0,0 300,0 300,60 300,60 0,120 300,120"},
        {[](Annotations &a) { deselectAll(a), alignSelected(a, AlignEdge::Left); },
         "0,0 300,0 0,60 300,60 0,120 300,120"},
        // 3 pairs in 2 columns of 2 rows: slots k * (1000 - (75 + 25)) / 3,
        // rows (600 - 1.5 * 30 - 24 - 2 * 15) + 30 apart.
        {[](Annotations &a) {
             distribute(a, 2, DistributeMetrics{75, 1000, 600, 30, 24});
         },
         "0,0 300,0 0,531 300,531 600,0 900,0"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Annotations a = rows(3, {1, 2});
        cases[i].first(a);
        EXPECT_EQ(layout(a), cases[i].second) << "case " << i;
    }
    Annotations a = rows(3, {1});
    selectKind(a, AnnotationKind::Name);
    alignSelected(a, AlignEdge::Top);
    EXPECT_EQ(layout(a), "0,0 300,0 0,0 300,60 0,0 300,120");
    EXPECT_FALSE(anySelected(a));
    const int perColumn[][3] = {{10, 3, 4}, {10, 2, 5}, {10, 1, 10}, {10, 10, 1}, {5, 10, 1}};
    for (const auto &c : perColumn)
        EXPECT_EQ(rowsPerColumn(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
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

TEST(LayoutEditorMouse, TheDraggedAnnotationStaysInsideTheChartTheSelectedFollow)
{
    // Chart 400 x 300; annotation 0 is dragged from (0, 0), 3 is selected; the cursor starts at (100, 100).
    const std::pair<CursorPos, std::string> cases[] = {
        {{150, 120}, "50,20 300,0 0,60 350,80"},
        {{100, 900}, "1,276 300,0 0,60 300,860"}, // past the bottom; left 0 becomes 1
        {{40, 10}, "1,1 300,0 0,60 240,-30"},
        {{900, 150}, "392,50 300,0 0,60 1100,110"},
    };
    const std::vector<RectD> boxes{{0, 0, 30, 20}, {300, 0, 30, 20}, {0, 60, 30, 20}, {300, 60, 30, 20}};
    for (const auto &[to, expected] : cases) {
        Annotations a = rows(2, {3});
        EditorMouse m;
        EXPECT_EQ(m.mouseMove(a, boxes, 10, 10, {}), EditorMouse::Pointer::SizeAll);
        EXPECT_FALSE(m.dragging()) << "nothing held";
        EXPECT_FALSE(m.mouseDown(a, boxes, 1, 10, 10, true, {100, 100})) << "the left button only holds";
        EXPECT_EQ(m.mouseMove(a, boxes, 200, 200, {}), EditorMouse::Pointer::Default);
        m.mouseMove(a, boxes, 10, 10, {90, 90}); // the drag counts from the press on the same annotation
        EXPECT_EQ(m.mouseMove(a, boxes, 300, 60, {}), EditorMouse::Pointer::Unchanged);
        EXPECT_FALSE(m.dragTick(a, {100, 100}, 400, 300)) << "no movement";
        EXPECT_TRUE(m.dragTick(a, {101, 101}, 400, 300));
        EXPECT_TRUE(m.mouseUp(a, to, 400, 300)) << "the release takes the last movement";
        EXPECT_EQ(layout(a), expected);
        EXPECT_FALSE(m.dragging() || m.held() || m.dragTick(a, {0, 0}, 400, 300));
    }
    EditorMouse m; // pressed beside the annotation: the drag counts from reaching it
    Annotations a = rows(2);
    m.mouseDown(a, boxes, 1, 200, 200, true, {0, 0});
    m.mouseMove(a, boxes, 10, 10, {50, 50});
    EXPECT_TRUE(m.mouseUp(a, {60, 50}, 400, 300));
    EXPECT_EQ(layout(a), "10,1 300,0 0,60 300,60");
}

TEST(LayoutEditorDistribute, ColumnQuestionRefusesOutOfRangeAndCancelsOnEmpty)
{
    using Answers = std::vector<std::optional<std::string>>;
    const std::tuple<Answers, std::optional<int>, std::size_t> cases[] = {
        {{"3"}, 3, 0}, {{"0", "11", "10"}, 10, 2}, {{"abc", "1"}, 1, 1}, {{""}, {}, 0}, {{"12", {}}, {}, 1}};
    for (const auto &[answers, columns, refusals] : cases) {
        test::FakeDialogs d;
        d.textAnswers.assign(answers.begin(), answers.end());
        EXPECT_EQ(askDistributeColumns(d), columns);
        ASSERT_EQ(d.messages.size(), refusals);
        for (const auto &m : d.messages)
            EXPECT_EQ(std::tie(m.text, m.title, m.icon),
                      std::make_tuple("Number of colums must be in the range of 1 - 10",
                                      "Quiz - Invalid Entry", MessageIcon::Exclamation));
        EXPECT_EQ(std::tie(d.inputs.front().first, d.prompts.front(), d.inputs.front().second),
                  std::make_tuple("Enter the number of columns you wish to distribute to (1-10)",
                                  "Number of Columns", "1"));
    }
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

// Tools keep the order they were added in; a hit finds the lowest active index,
// the right and bottom edges lie outside.
TEST(ChartModel, ToolsInOrderAndHitTests)
{
    ChartModel m;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.addAnnotation(Annotation{.text = "t" + std::to_string(i)}), i);
    EXPECT_EQ(m.annotation(2).text, "t2");
    EXPECT_THROW(m.annotation(4), std::out_of_range);
    EXPECT_THROW(m.annotation(-1), std::out_of_range);
    m.clear();
    EXPECT_EQ(m.count(), 0);

    std::vector<Annotation> a(3);
    const std::vector<RectD> boxes{{0, 0, 50, 20}, {40, 0, 50, 20}, {200, 200, 10, 10}};
    const std::tuple<double, double, int> hits[] = {{45, 10, 0},         {60, 10, 1},    {200, 200, 2},
                                                    {209.99, 209.99, 2}, {210, 205, -1}, {205, 210, -1},
                                                    {199.99, 205, -1}};
    for (const auto &[x, y, index] : hits)
        EXPECT_EQ(annotationAt(a, boxes, x, y), index) << x << "," << y;
    a[0].active = false;
    EXPECT_EQ(annotationAt(a, boxes, 45, 10), 1);
}

} // namespace
} // namespace quiz
