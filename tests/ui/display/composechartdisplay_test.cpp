#include "ui/display/composechartdisplay.h"

#include "core/quiz/displayrows.h"
#include "fakes/fakerun.h"
#include "support/rows.h"
#include "support/testfolder.h"
#include "ui/display/backgroundgrabber.h"
#include "ui/display/chartcanvas.h"
#include "ui/display/frmtchartdisplay.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

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

struct ComposeFixture : ::testing::Test, test::FakeRun {
    test::TestFolder addin;

    void SetUp() override
    {
        ctx.windows = nullptr; // without a window list the show is asked of the presentation program
        host.showRect = {0, 0, 800, 600};
        ctx.state.addinFolder = addin.str() + "/";
        ctx.state.modeWord = "DISPLAY";
        ctx.state.annotationPositions.assign(6, {PointD{-1, -1}, PointD{-1, -1}, PointD{-1, -1}});
        setSlidePicture(QImage());
    }
};

TEST_F(ComposeFixture, LayoutEditorRowsKeepTheirPlaceholdersAtTheirSavedFractionsOfTheWindow)
{
    EditorLikeWindow w;
    w.window.resize(800, 600);
    w.window.show();
    ctx.state.textToAdd = {"(", ")"};
    ctx.state.annotationPositions[0][0] = PointD{0.5, 0.25};
    ctx.state.annotationPositions[1][1] = PointD{0.1, 0.9};
    DisplayRows rows; // the layout editor shows the placeholders, not scores
    rows.rows.push_back(DisplayRow{"Anna", "Score 12", false, false});
    ComposeChartDisplay(ctx, w.parts(), true, true, 3, &rows);
    EXPECT_FALSE(w.window.isVisible());
    EXPECT_EQ(w.chart->geometry(), QRect(0, 0, 800, 600));
    EXPECT_EQ(w.button->x(), -5000);
    std::string placed; // each text at its left,top, every digit of the position
    for (int i = 0; i < w.chart->annotationCount(); ++i)
        placed += w.chart->annotation(i).text + " at " +
                  QString::number(w.chart->annotation(i).left, 'g', 17).toStdString() + "," +
                  QString::number(w.chart->annotation(i).top, 'g', 17).toStdString() + "; ";
    EXPECT_EQ(placed,
              "K1 at 400,150; ( S1) at 300,0; K2 at 0,60; ( S2) at 80,540; K3 at 0,120; ( S3) at 300,120; ");
}

TEST_F(ComposeFixture, DisplayRowsFillTheAnnotationsTheChartHas)
{
    DisplayWindowHooks hooks;
    FrmTChartDisplay window(ctx, hooks);
    window.resize(600, 400);
    DisplayRows rows;
    rows.rows.push_back(DisplayRow{"Anna", "Score 12", false, false});
    rows.rows.push_back(DisplayRow{"-", "-", true, true});
    ComposeChartDisplay(ctx, chartWindowParts(window), false, true, 3, &rows);
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

    FrmTChartDisplay small(ctx, hooks); // rows beyond the chart's tools are left alone
    rows.rows.assign(4, DisplayRow{"n", "s", false, false});
    ComposeChartDisplay(ctx, chartWindowParts(small), false, true, 1, &rows);
    chart = small.chart();
    EXPECT_EQ(chart->annotationCount(), 2);
    EXPECT_EQ(chart->annotation(1).text, "s");
}

struct Background : ComposeFixture, ::testing::WithParamInterface<test::Row> {
};

TEST_P(Background, IsThePartOfTheSlideUnderTheChart)
{
    const test::Row &r = GetParam();
    const auto rect = [&](size_t cell) {
        const std::vector<float> v = r.floats(cell);
        return QRectF(v.at(0), v.at(1), v.at(2), v.at(3)).toRect();
    };
    const QRect show = rect(1);
    host.showRect = {show.x(), show.y(), show.width(), show.height()};
    const QImage picture = slide(show.width(), show.height());
    setSlidePicture(picture);
    EditorLikeWindow w;
    w.window.setGeometry(rect(2));
    const DisplayRows noRows;
    ComposeChartDisplay(ctx, w.parts(), r.flag(0), false, 1, &noRows);
    EXPECT_EQ(w.chart->backgroundImage().convertToFormat(QImage::Format_RGB32), picture.copy(rect(3)));
}
QUIZ_ROWS(Background, "ui/background.rows");

TEST_F(ComposeFixture, DisplayWindowShowsTheBackgroundAndStartsTheFocusTimerWithOrWithoutIt)
{
    DisplayWindowHooks hooks;
    FrmTChartDisplay window(ctx, hooks);
    window.resize(200, 100);
    const DisplayRows noRows;
    ComposeChartDisplay(ctx, chartWindowParts(window), false, false, 1, &noRows);
    EXPECT_TRUE(window.chart()->backgroundImage().isNull()); // no captured slide
    EXPECT_TRUE(window.focusTimer()->isActive());

    setSlidePicture(slide(800, 600));
    FrmTChartDisplay second(ctx, hooks);
    second.setGeometry(0, 0, 200, 100);
    ComposeChartDisplay(ctx, chartWindowParts(second), false, false, 2, &noRows);
    EXPECT_FALSE(second.pictureBox()->pixmap().isNull());
    EXPECT_TRUE(second.focusTimer()->isActive()); // no bcktemp.bmp left: display-one-slide
}

TEST_F(ComposeFixture, CaptureTakesTheShowWindowsPictureOrKeepsThePreviousOneWithoutAShow)
{
    setSlidePicture(slide(10, 10));
    host.showWindowCount = 0;
    const QImage show = slide(320, 240);
    host.capture = [&](const std::string &path) { show.save(QString::fromStdString(path)); };
    CaptureSlideShow(ctx);
    EXPECT_EQ(slidePicture().size(), QSize(10, 10));
    host.showWindowCount = 1;
    CaptureSlideShow(ctx);
    EXPECT_EQ(slidePicture().convertToFormat(QImage::Format_RGB32), show);

    // With a window list and no show in it nothing is taken; the show found through the
    // list is the display-one-slide scenario's background.
    ctx.windows = &windows;
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
