#include "ui/display/composechartdisplay.h"

#include "core/display/displayrows.h"
#include "core/startup/runcontext.h"
#include "displayfakes.h"
#include "support/testfolder.h"
#include "ui/display/backgroundgrabber.h"
#include "ui/display/chartcanvas.h"
#include "ui/display/frmtchartdisplay.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <filesystem>

#include <gtest/gtest.h>

namespace quiz {
namespace {

// A slide whose every pixel tells where it lies: red = x, green = y (mod 256).
QImage slide(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor(x % 256, y % 256, 77));
    return image;
}

// A window with the parts the composition needs, as the layout editor has them.
struct EditorLikeWindow {
    QWidget window;
    ChartCanvas *chart = new ChartCanvas(&window);
    QPushButton *button = new QPushButton(&window);
    QLabel *picture = new QLabel(&window);
    ChartWindowParts parts() { return ChartWindowParts{&window, chart, button, picture, {}}; }
};

struct ComposeFixture : ::testing::Test {
    RunContext ctx;
    test::DisplayHost host;
    test::TestFolder addin;

    void SetUp() override
    {
        ctx.host = &host;
        ctx.state.addinFolder = addin.str() + "/";
        ctx.state.modeWord = "DISPLAY";
        ctx.state.annotationPositions.assign(6, {PointD{-1, -1}, PointD{-1, -1}, PointD{-1, -1}});
        setSlidePicture(QImage());
    }
};

TEST_F(ComposeFixture, LayoutEditorRowsKeepTheirPlaceholders)
{
    EditorLikeWindow w;
    w.window.resize(640, 480);
    w.window.show();
    ctx.state.textToAdd = {"(", ")"};
    bool scored = false;
    ComposeChartDisplay(ctx, w.parts(), true, true, 3, [&](RunContext &) {
        scored = true;
        return DisplayRows{};
    });
    EXPECT_FALSE(scored);
    EXPECT_FALSE(w.window.isVisible());
    EXPECT_EQ(w.chart->geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(w.button->x(), -5000);
    ASSERT_EQ(w.chart->annotationCount(), 6);
    const char *texts[] = {"K1", "( S1)", "K2", "( S2)", "K3", "( S3)"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(w.chart->annotation(i).text, texts[i]);
    EXPECT_EQ(w.chart->annotation(5).left, 300);
    EXPECT_EQ(w.chart->annotation(5).top, 120);
}

TEST_F(ComposeFixture, SavedPositionsAreFractionsOfTheWindow)
{
    EditorLikeWindow w;
    w.window.resize(800, 600);
    ctx.state.annotationPositions[0][0] = PointD{0.5, 0.25};
    ctx.state.annotationPositions[1][1] = PointD{0.1, 0.9};
    ComposeChartDisplay(ctx, w.parts(), true, true, 2);
    EXPECT_DOUBLE_EQ(w.chart->annotation(0).left, 400);
    EXPECT_DOUBLE_EQ(w.chart->annotation(0).top, 150);
    EXPECT_DOUBLE_EQ(w.chart->annotation(3).left, 80);
    EXPECT_DOUBLE_EQ(w.chart->annotation(3).top, 540);
    EXPECT_EQ(w.chart->annotation(1).left, 300); // unplaced
}

TEST_F(ComposeFixture, DisplayRowsFillTheAnnotations)
{
    DisplayWindowHooks hooks;
    FrmTChartDisplay window(ctx, hooks);
    window.resize(600, 400);
    DisplayRows rows;
    rows.rows.push_back(DisplayRow{"Anna", "Score 12", false, false});
    rows.rows.push_back(DisplayRow{"-", "-", true, true});
    ComposeChartDisplay(ctx, chartWindowParts(window), false, true, 3, [&](RunContext &) { return rows; });
    ChartCanvas *chart = window.chart();
    ASSERT_EQ(chart->annotationCount(), 6);
    EXPECT_EQ(chart->annotation(0).text, "Anna");
    EXPECT_EQ(chart->annotation(1).text, "Score 12");
    EXPECT_EQ(chart->annotation(2).text, "-");
    EXPECT_FALSE(chart->annotation(2).active);
    EXPECT_FALSE(chart->annotation(3).active);
    EXPECT_EQ(chart->annotation(4).text, "K3"); // rows past the results keep their placeholders
    EXPECT_TRUE(chart->annotation(4).active);
    EXPECT_FALSE(window.focusTimer()->isActive()); // no background, no focus timer
}

TEST_F(ComposeFixture, CountOfMaxScorersGoesToTheFirstAnnotationOnly)
{
    DisplayWindowHooks hooks;
    FrmTChartDisplay window(ctx, hooks);
    DisplayRows rows;
    rows.maxScorerCount = "2";
    ComposeChartDisplay(ctx, chartWindowParts(window), false, true, 2, [&](RunContext &) { return rows; });
    EXPECT_EQ(window.chart()->annotation(0).text, "2");
    EXPECT_EQ(window.chart()->annotation(1).text, " S1");
    EXPECT_EQ(window.chart()->annotation(2).text, "K2");
}

TEST_F(ComposeFixture, RowsBeyondTheChartsToolsAreLeftAlone)
{
    DisplayWindowHooks hooks;
    FrmTChartDisplay window(ctx, hooks);
    DisplayRows rows;
    rows.rows.assign(4, DisplayRow{"n", "s", false, false});
    ComposeChartDisplay(ctx, chartWindowParts(window), false, true, 1, [&](RunContext &) { return rows; });
    EXPECT_EQ(window.chart()->annotationCount(), 2);
    EXPECT_EQ(window.chart()->annotation(1).text, "s");
}

TEST_F(ComposeFixture, DisplayWindowGetsTheSlideUnderItAndStartsTheFocusTimer)
{
    host.showRect = PixelRect{100, 50, 800, 600};
    const QImage picture = slide(800, 600);
    setSlidePicture(picture);
    DisplayWindowHooks hooks;
    FrmTChartDisplay window(ctx, hooks);
    window.setGeometry(300, 200, 200, 100); // 200, 150 into the show
    ComposeChartDisplay(ctx, chartWindowParts(window), false, false, 2, [](RunContext &) { return DisplayRows{}; });
    const QImage background = window.chart()->backgroundImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(background.size(), QSize(200, 100));
    EXPECT_EQ(background, picture.copy(200, 150, 200, 100));
    EXPECT_FALSE(window.pictureBox()->pixmap().isNull());
    EXPECT_TRUE(window.focusTimer()->isActive());
    EXPECT_FALSE(std::filesystem::exists(addin.path() / "bcktemp.bmp"));
}

TEST_F(ComposeFixture, LayoutEditorBackgroundAllowsForItsFrame)
{
    host.showRect = PixelRect{0, 0, 800, 600};
    const QImage picture = slide(800, 600);
    setSlidePicture(picture);
    EditorLikeWindow w;
    w.window.setGeometry(100, 50, 300, 200);
    ComposeChartDisplay(ctx, w.parts(), true, false, 1);
    EXPECT_EQ(w.chart->backgroundImage().convertToFormat(QImage::Format_RGB32), picture.copy(104, 70, 300, 200));
}

TEST_F(ComposeFixture, WindowReachingPastTheSlideGetsTheClippedPart)
{
    host.showRect = PixelRect{0, 0, 400, 300};
    setSlidePicture(slide(400, 300));
    DisplayWindowHooks hooks;
    FrmTChartDisplay window(ctx, hooks);
    window.setGeometry(300, 250, 200, 100);
    ComposeChartDisplay(ctx, chartWindowParts(window), false, false, 1, [](RunContext &) { return DisplayRows{}; });
    EXPECT_EQ(window.chart()->backgroundImage().size(), QSize(100, 50));
}

TEST_F(ComposeFixture, WithoutACapturedSlideTheChartHasNoBackground)
{
    DisplayWindowHooks hooks;
    FrmTChartDisplay window(ctx, hooks);
    window.resize(200, 100);
    ComposeChartDisplay(ctx, chartWindowParts(window), false, false, 1, [](RunContext &) { return DisplayRows{}; });
    EXPECT_TRUE(window.chart()->backgroundImage().isNull());
    EXPECT_TRUE(window.focusTimer()->isActive());
}

TEST_F(ComposeFixture, CaptureTakesTheShowWindowsPicture)
{
    host.showPicture = slide(320, 240);
    CaptureSlideShow(ctx);
    EXPECT_EQ(slidePicture().convertToFormat(QImage::Format_RGB32), host.showPicture);
}

TEST_F(ComposeFixture, CaptureWithoutAShowKeepsThePreviousPicture)
{
    setSlidePicture(slide(10, 10));
    host.showWindows = 0;
    host.showPicture = slide(320, 240);
    CaptureSlideShow(ctx);
    EXPECT_EQ(slidePicture().size(), QSize(10, 10));
}

TEST_F(ComposeFixture, CaptureFindsTheShowThroughTheWindowList)
{
    test::FakeWindowSystem windows;
    windows.add(7, "PowerPoint Slide Show - [quiz.pptx]", PixelRect{0, 0, 320, 240});
    ctx.windows = &windows;
    host.showPicture = slide(320, 240);
    CaptureSlideShow(ctx);
    EXPECT_EQ(ctx.state.showWindows.front(), 7);
    EXPECT_EQ(slidePicture().size(), QSize(320, 240));

    windows.windows.clear();
    setSlidePicture(QImage());
    CaptureSlideShow(ctx);
    EXPECT_TRUE(slidePicture().isNull());
}

TEST(BackgroundTempFolder, AddInFolderWhenWritableElseTheTemporaryFolder)
{
    test::TestFolder folder;
    EXPECT_EQ(backgroundTempFolder(folder.str() + "/"), folder.str());
    EXPECT_EQ(backgroundTempFolder(folder.str() + "/missing/"), QDir::tempPath().toStdString());
    EXPECT_EQ(backgroundTempFolder(""), QDir::tempPath().toStdString());
}

} // namespace
} // namespace quiz
