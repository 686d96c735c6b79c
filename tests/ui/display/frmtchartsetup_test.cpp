#include "ui/display/frmtchartsetup.h"

#include "adapters/standinhost/standinhost.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "fakes/fakedialogs.h"
#include "support/testfolder.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/layouteditorrun.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

// A running show of 1024 x 768 on the stand-in host, three display rows.
struct EditorFixture : ::testing::Test {
    test::TestFolder folder;
    std::unique_ptr<StandInHost> host;
    test::FakeDialogs dialogs;
    RunContext ctx;
    std::string hostPath;

    void SetUp() override
    {
        QImage slide(1024, 768, QImage::Format_RGB32);
        slide.fill(Qt::darkGreen);
        std::filesystem::create_directories(folder.path() / "addin");
        slide.save(QString::fromStdString((folder.path() / "slide.png").string()));
        hostPath = folder
                       .write("host.json", R"({"addinFolder": "addin", "activePresentation": 0,
            "presentations": [{"path": "show.pptx", "pageWidth": 720, "pageHeight": 540,
              "slides": [{"title": "Results", "picture": "slide.png"}]}],
            "slideShow": {"running": true, "slide": 1, "window": [0, 0, 1024, 768]}, "macros": []})")
                       .string();
        host = StandInHost::open(hostPath, nullptr);
        ASSERT_TRUE(host);
        ctx.host = host.get();
        ctx.dialogs = &dialogs;
        ctx.state.addinFolder = (folder.path() / "addin").string() + "/";
        ctx.state.displayCount = 3;
        ResetDisplayPositions(ctx.state);
    }
};

// An editor built as the set-up screens build it, its grabs counted.
struct Editor {
    int grabs = 0;
    FrmTChartSetup window;
    Editor(RunContext &ctx) : window(ctx, LayoutEditorHooks{{}, [this] { ++grabs; }})
    {
        window.resize(800, 600);
        ComposeChartDisplay(ctx, window.parts(), true, true, ctx.state.displayCount);
        window.show();
    }
    QAction *action(const char *name) const { return window.findChild<QAction *>(name); }
};

TEST_F(EditorFixture, ControlsAndMenuEntriesWithTheirEnabledRules)
{
    ctx.state.showScores = 0;
    Editor e(ctx);
    FrmTChartSetup &w = e.window;
    EXPECT_EQ(w.windowTitle(), "Close this window to return to the main screen - Right click for menu");
    auto *move = w.findChild<QTimer *>("timerAnnotationMove");
    auto *refresh = w.findChild<QTimer *>("timerRefresh");
    ASSERT_TRUE(move && refresh && w.findChild<QWidget *>("cmdFocus") && w.findChild<QWidget *>("Picture1"));
    EXPECT_EQ(std::make_tuple(move->interval(), move->isActive(), refresh->interval(), refresh->isActive()),
              std::make_tuple(50, false, 50, true));
    QMenu *menu = w.findChild<QMenu *>("menuQuiz");
    ASSERT_EQ(menu, w.menu());
    QStringList entries{menu->title()};
    for (QAction *a : menu->actions())
        for (QAction *x : QList<QAction *>{a} + (a->menu() ? a->menu()->actions() : QList<QAction *>{}))
            entries << x->objectName() + " " + x->text();
    EXPECT_EQ(entries.join("|"),
              "Quiz|menuFont Font|menuDistribute Auto Distribute|menuAlign Align Selected|"
              "menuAlignVertically Left|menuAlignHorizontally Top|menuSelectAll Select All|"
              "menuSelectTeams Keypads|menuSelectScores Scores|menuDeSelect DeSelect All|"
              "menuHelp Help");
    auto rightClick = [&](QPoint at) {
        QTest::mouseClick(w.chart(), Qt::RightButton, {}, at);
        const auto state =
            std::make_tuple(menu->isVisible(), e.action("menuAlign")->isEnabled(),
                            e.action("menuDeSelect")->isEnabled(), e.action("menuSelectScores")->isEnabled());
        menu->hide();
        return state;
    };
    EXPECT_EQ(rightClick({700, 500}), std::make_tuple(true, false, false, false));
    EXPECT_EQ(rightClick({5, 5}), std::make_tuple(false, false, false, false)); // selects K1
    EXPECT_EQ(rightClick({700, 500}), std::make_tuple(true, true, true, false));
    EXPECT_TRUE(w.chart()->annotation(0).highlight.visible);
    QTest::keyClick(&w, Qt::Key_Down);
    EXPECT_EQ(w.chart()->annotation(0).top, 2);
    EXPECT_EQ(e.grabs, 4) << "after each release and key";
}

TEST_F(EditorFixture, MenuEntriesAndWindowMovesReachTheLayout)
{
    Editor e(ctx);
    e.action("menuSelectScores")->trigger();
    e.action("menuSelectAll")->trigger(); // no action
    const Annotations &m = e.window.chart()->model().annotations();
    EXPECT_TRUE(isSelected(m[1]) && isSelected(m[5]) && !isSelected(m[0]) && !isSelected(m[4]));
    dialogs.textAnswers = {"11", "2"};
    e.action("menuDistribute")->trigger(); // 3 pairs in 2 columns: K3 beside K1
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(e.window.chart()->annotation(4).top, e.window.chart()->annotation(0).top);
    EXPECT_GT(e.window.chart()->annotation(4).left, e.window.chart()->annotation(1).left);

    const int grabs = e.grabs;
    const AnnotationFont before = e.window.chart()->annotation(0).font;
    const FontChoice chosen{"Serif", 30, true, true, true, true, 0xFF};
    dialogs.fontAnswers = {std::nullopt, chosen};
    e.action("menuFont")->trigger(); // cancelled: nothing changes
    EXPECT_EQ(e.window.chart()->annotation(5).font, before);
    e.action("menuFont")->trigger();
    EXPECT_EQ(dialogs.fontInitials, (std::vector<FontChoice>(2, before)));
    for (const Annotation &a : e.window.chart()->model().annotations())
        EXPECT_EQ(static_cast<const FontChoice &>(a.font), chosen);
    EXPECT_EQ(e.grabs, grabs + 1);

    e.window.timerRefresh_Timer();
    e.window.timerRefresh_Timer(); // nothing moved
    e.window.move(e.window.pos() + QPoint(7, 0));
    e.window.timerRefresh_Timer();
    EXPECT_EQ(e.grabs, grabs + 3);

    e.action("menuHelp")->trigger();
    EXPECT_EQ(dialogs.messages.back().title, "Team Quiz Setup");
    EXPECT_EQ(dialogs.messages.back().text,
              "\u00a4 Right click selects and deselects text.\r\n"
              "\u00a4 Click and hold with the left mouse to move the selected text\r\n"
              "\u00a4 Page Up and Page Down will decrease and increase the spacing between the text.\r\n"
              "\u00a4 Shift and Arrow Key moves the selected text.");
}

// The set-up screen's road: the entry function opens the editor over the
// show; a right click, a drag and keys arrange it; closing stores the layout.
TEST_F(EditorFixture, ScriptedSessionThroughTheEntryFunctionStoresTheLayout)
{
    QWidget setupForm;
    setupForm.setObjectName("QuizForm");
    std::vector<PointD> seen;
    QRect place;
    QSize inside;
    bool background = false;
    QTimer script;
    QObject::connect(&script, &QTimer::timeout, [&] {
        FrmTChartSetup *w = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == "FrmTChartSetup" && top->isVisible())
                w = static_cast<FrmTChartSetup *>(top);
        if (!w)
            return;
        script.stop();
        place = w->frameGeometry();
        inside = w->size();
        background = !w->chart()->backgroundImage().isNull();
        QWidget *chart = w->chart();
        QTest::mouseClick(chart, Qt::RightButton, {}, QPoint(10, 70)); // selects K2
        QTest::mousePress(chart, Qt::LeftButton, {}, QPoint(10, 10));  // on K1
        QTest::mouseMove(chart, QPoint(10, 10));                       // the drag starts
        QTest::mouseMove(chart, QPoint(30, 20));
        w->timerAnnotationMove_Timer();
        QTest::mouseMove(chart, QPoint(50, 40));
        QTest::mouseRelease(chart, Qt::LeftButton, {}, QPoint(50, 40));
        QTest::keyClick(w, Qt::Key_PageDown);
        QTest::keyClick(chart, Qt::Key_Left, Qt::ShiftModifier);
        for (const Annotation &a : w->chart()->model().annotations())
            seen.push_back({a.left, a.top});
        w->close();
    });
    script.start(20);
    RunLayoutEditor(ctx);

    // Unset area: centred at 60% of the 1024 x 768 show.
    EXPECT_EQ(place, QRect(205, 154, 614, 461));
    EXPECT_TRUE(background);
    const std::vector<PointD> expected{{40, 30}, {300, 0}, {35, 100}, {300, 70}, {0, 140}, {300, 140}};
    EXPECT_EQ(seen, expected);
    const auto &stored = ctx.state.annotationPositions; // fractions of the inside
    EXPECT_EQ(std::make_tuple(stored[0][0].x * inside.width(), stored[1][0].x * inside.width(),
                              stored[1][0].y * inside.height(), stored[2][1].y * inside.height()),
              std::make_tuple(40.0, 35.0, 100.0, 140.0));
    const DisplayArea area = ctx.state.displayAreas[0];
    EXPECT_FLOAT_EQ(area.width, 614.0f / 1024);
    EXPECT_FLOAT_EQ(area.height, 461.0f / 768);
    EXPECT_FLOAT_EQ(area.left, 205.0f / 1024);
    EXPECT_FLOAT_EQ(area.top, 154.0f / 768);
    EXPECT_NE(folder.read("host.json").find("EndShowEdit"), std::string::npos);
    EXPECT_TRUE(setupForm.isVisible());
}

} // namespace
} // namespace quiz
