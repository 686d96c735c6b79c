#include "core/display/layouteditor.h"

#include "fakes/fakedialogs.h"

#include <gtest/gtest.h>

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

std::vector<PointD> positions(const Annotations &a)
{
    std::vector<PointD> out;
    for (const Annotation &x : a)
        out.push_back({x.left, x.top});
    return out;
}

TEST(LayoutEditorKeys, PagesSpreadEveryRowAroundRowZeroArrowsMoveTheSelected)
{
    struct Case {
        std::vector<int> keys;
        int shift;
        std::vector<PointD> after;
    } cases[] = {
        {{keyPageDown, keyPageDown, keyPageDown}, 0, {{0, 0}, {300, 0}, {0, 90}, {300, 90}, {0, 180}, {300, 180}}},
        {{keyPageUp}, 1, {{0, 0}, {300, 0}, {0, 50}, {300, 50}, {0, 100}, {300, 100}}},
        {{keyDown, keyRight}, 0, {{0, 0}, {302, 2}, {2, 62}, {300, 60}, {0, 120}, {300, 120}}},
        {{keyUp, keyLeft}, 1, {{0, 0}, {295, -5}, {-5, 55}, {300, 60}, {0, 120}, {300, 120}}},
        {{keyLeft}, 3, {{0, 0}, {298, 0}, {-2, 60}, {300, 60}, {0, 120}, {300, 120}}}, // Shift+Ctrl: 2
        {{65, 9}, 1, positions(rows(3))},
    };
    for (const Case &c : cases) {
        Annotations a = rows(3, {1, 2});
        for (int key : c.keys)
            EXPECT_EQ(editorKeyDown(a, key, c.shift), key != 65 && key != 9) << key;
        EXPECT_EQ(positions(a), c.after) << c.keys.front() << " " << c.shift;
    }
}

TEST(LayoutEditorMouse, RightClickTogglesTheLowestActiveHitAndAMissOpensTheMenu)
{
    Annotations a = rows(2);
    a[3].active = false;
    const std::vector<RectD> boxes{{0, 0, 50, 20}, {40, 0, 50, 20}, {0, 60, 50, 20}, {0, 60, 50, 20}};
    EditorMouse m;
    EXPECT_FALSE(m.mouseDown(a, boxes, 2, 45, 10, true)); // 0 and 1 overlap: 0
    EXPECT_FALSE(m.mouseDown(a, boxes, 2, 10, 70, true)); // 3 is inactive: 2
    EXPECT_FALSE(m.mouseDown(a, boxes, 2, 10, 10, true)); // 0 again: off
    std::vector<bool> selected;
    for (const Annotation &x : a)
        selected.push_back(isSelected(x));
    EXPECT_EQ(selected, (std::vector<bool>{false, false, true, false}));

    EXPECT_TRUE(m.mouseDown(a, boxes, 2, 400, 400, false));
    EXPECT_TRUE(m.menu().align && m.menu().deselect && !m.menu().scores);
    deselectAll(a);
    EXPECT_TRUE(m.mouseDown(a, boxes, 2, 400, 400, true));
    EXPECT_TRUE(!m.menu().align && !m.menu().deselect && m.menu().scores);
    EXPECT_FALSE(m.mouseDown(a, boxes, 1, 10, 10, true)); // the left button only holds
    EXPECT_TRUE(m.held() && !anySelected(a));
}

TEST(LayoutEditorMenu, SelectKindsAndAlignToTheLowestSelectedThenDeselect)
{
    Annotations a = rows(3, {5});
    selectKind(a, AnnotationKind::Name);
    EXPECT_TRUE(isSelected(a[0]) && isSelected(a[2]) && isSelected(a[4]) && !isSelected(a[1]));
    a[0].top = 7;
    alignSelected(a, AlignEdge::Top);
    EXPECT_EQ(positions(a), (std::vector<PointD>{{0, 7}, {300, 0}, {0, 7}, {300, 60}, {0, 7}, {300, 7}}));
    EXPECT_FALSE(anySelected(a));
    alignSelected(a, AlignEdge::Left); // nothing selected: nothing moves
    selectKind(a, AnnotationKind::Score);
    a[1].left = 250;
    alignSelected(a, AlignEdge::Left);
    EXPECT_EQ(positions(a), (std::vector<PointD>{{0, 7}, {250, 0}, {0, 7}, {250, 60}, {0, 7}, {250, 7}}));
}

TEST(LayoutEditorMouse, TheDraggedAnnotationStaysInsideTheChartTheSelectedFollow)
{
    // Chart 400 x 300; annotation 0 at (0, 0) is dragged, 3 at (300, 60) is selected.
    struct Case {
        CursorPos to;
        PointD dragged, follower;
    } cases[] = {
        {{150, 120}, {50, 20}, {350, 80}},
        {{100, 900}, {1, 276}, {300, 860}}, // past the bottom; left 0 becomes 1
        {{40, 10}, {1, 1}, {240, -30}},
        {{900, 150}, {392, 50}, {1100, 110}},
    };
    const std::vector<RectD> boxes{{0, 0, 30, 20}, {300, 0, 30, 20}, {0, 60, 30, 20}, {300, 60, 30, 20}};
    for (const Case &c : cases) {
        Annotations a = rows(2, {3});
        EditorMouse m;
        EXPECT_EQ(m.mouseMove(a, boxes, 10, 10), EditorMouse::Pointer::SizeAll);
        EXPECT_FALSE(m.dragging()) << "nothing held";
        m.mouseDown(a, boxes, 1, 10, 10, true);
        EXPECT_EQ(m.mouseMove(a, boxes, 200, 200), EditorMouse::Pointer::Default);
        m.mouseMove(a, boxes, 10, 10);
        EXPECT_EQ(m.mouseMove(a, boxes, 300, 60), EditorMouse::Pointer::Unchanged);
        EXPECT_FALSE(m.dragTick(a, {100, 100}, 400, 300)) << "the first tick remembers";
        EXPECT_FALSE(m.dragTick(a, {100, 100}, 400, 300)) << "no movement";
        EXPECT_TRUE(m.dragTick(a, c.to, 400, 300));
        EXPECT_EQ(positions(a), (std::vector<PointD>{c.dragged, {300, 0}, {0, 60}, c.follower}));
        m.mouseUp();
        EXPECT_FALSE(m.dragging() || m.held() || m.dragTick(a, {0, 0}, 400, 300));
    }
}

TEST(LayoutEditorDistribute, RowsPerColumnAndTheGeometry)
{
    const int cases[][3] = {{10, 3, 4}, {10, 2, 5}, {10, 1, 10}, {10, 10, 1}, {5, 10, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(rowsPerColumn(c[0], c[1]), c[2]) << c[0] << "/" << c[1];
    // 5 pairs in 2 columns of 3 rows. Slots k * (1000 - (75 + 25)) / 3; gap
    // (600 - 2.5 * 30 - 24 - 30) / 2 = 235.5, so rows 265.5 apart, rounded.
    Annotations a = rows(5);
    distribute(a, 2, DistributeMetrics{75, 1000, 600, 30, 24});
    EXPECT_EQ(positions(a), (std::vector<PointD>{{0, 0}, {300, 0}, {0, 266}, {300, 266}, {0, 531}, {300, 531},
                                                 {600, 0}, {900, 0}, {600, 266}, {900, 266}}));
}

TEST(LayoutEditorDistribute, ColumnQuestionRefusesOutOfRangeAndCancelsOnEmpty)
{
    struct Case {
        std::vector<std::optional<std::string>> answers;
        std::optional<int> columns;
        std::size_t refusals;
    } cases[] = {
        {{"3"}, 3, 0}, {{"0", "11", "10"}, 10, 2}, {{"abc", "1"}, 1, 1}, {{""}, std::nullopt, 0},
        {{"12", std::nullopt}, std::nullopt, 1},
    };
    for (const Case &c : cases) {
        test::FakeDialogs d;
        d.textAnswers.assign(c.answers.begin(), c.answers.end());
        EXPECT_EQ(askDistributeColumns(d), c.columns);
        ASSERT_EQ(d.messages.size(), c.refusals);
        for (const auto &m : d.messages)
            EXPECT_EQ(std::tie(m.text, m.title, m.icon),
                      std::make_tuple("Number of colums must be in the range of 1 - 10", "Quiz - Invalid Entry",
                                      MessageIcon::Exclamation));
        EXPECT_EQ(d.inputs.front().first, "Enter the number of columns you wish to distribute to (1-10)");
        EXPECT_EQ(std::tie(d.prompts.front(), d.inputs.front().second), std::make_tuple("Number of Columns", "1"));
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
    EXPECT_DOUBLE_EQ(half[0].left, 100);
    EXPECT_DOUBLE_EQ(half[0].top, 75);
    EXPECT_DOUBLE_EQ(half[3].left, 350);
    EXPECT_DOUBLE_EQ(half[3].top, 240);

    const auto area = displayAreaOf({300, 140, 640, 360}, {100, 50, 1280, 720});
    ASSERT_TRUE(area);
    EXPECT_EQ(std::make_tuple(area->width, area->height, area->left, area->top),
              std::make_tuple(0.5f, 0.5f, 0.15625f, 0.125f));
    EXPECT_FALSE(displayAreaOf({0, 0, 10, 10}, {0, 0, 0, 720}));
    EXPECT_EQ(layoutEditorPlace(*area, {100, 50, 1280, 720}, {}), (PixelRect{300, 140, 640, 360}));
    EXPECT_EQ(layoutEditorPlace({}, {0, 0, 1000, 500}, {}), (PixelRect{200, 100, 600, 300}));
}

} // namespace
} // namespace quiz
