#include "ui/display/chartcanvas.h"

#include "support/testfolder.h"

#include <QClipboard>
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace quiz
{
namespace
{

Annotation textAt(const std::string &text, double left, double top, std::uint32_t colour = 0x0000FF)
{
    Annotation a;
    a.text = text;
    a.left = left;
    a.top = top;
    a.font.colour = colour;
    a.font.size = 20;
    a.boxTransparency = 100;
    a.shadowTransparency = 100;
    a.font.shadowTransparency = 100;
    return a;
}

int pixelsOf(const QImage &image, const QRect &area, QColor colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && image.pixelColor(x, y) == colour)
                ++n;
    return n;
}

// The hit test's order and edges are tested on the chart model, hits and misses
// under the mouse by the layout editor's scenarios (setup); here the boxes come
// from the real text sizes.
TEST(ChartCanvas, BoxesFollowTheTextAtTheNearestPixelAndMissAnInactiveAnnotation)
{
    ChartCanvas chart;
    chart.resize(600, 400);
    chart.addAnnotation(textAt("K1", 10.6, 20.4));
    chart.addAnnotation(textAt(" S1", 300, 0));
    Annotation big = textAt("K1", 0, 60);
    big.font.size = 40;
    chart.addAnnotation(big);
    EXPECT_EQ(chart.annotationRect(0).topLeft(), QPointF(11, 20));
    EXPECT_GT(chart.annotationRect(2).height(), chart.annotationRect(0).height());
    EXPECT_GT(chart.annotationRect(2).width(), chart.annotationRect(0).width());
    const QRectF second = chart.annotationRect(1);
    EXPECT_GT(second.width(), 2 * annotationMargin);
    EXPECT_EQ(chart.annotationAt(second.center()), 1);
    chart.setAnnotationActive(1, false);
    EXPECT_EQ(chart.annotationAt(second.center()), -1);
    EXPECT_THROW(chart.setAnnotationText(3, "x"), std::out_of_range);
}

TEST(ChartCanvas, PictureShowsActiveTextsInTheirColourOnATransparentPanel)
{
    ChartCanvas chart;
    chart.resize(300, 200);
    chart.addAnnotation(textAt("MMMM", 10, 10, 0x0000FF));  // red
    chart.addAnnotation(textAt("MMMM", 10, 100, 0xFF0000)); // blue
    chart.setAnnotationActive(1, false);
    const QImage picture = chart.picture();
    EXPECT_EQ(picture.size(), QSize(300, 200));
    EXPECT_TRUE(picture.hasAlphaChannel());
    EXPECT_GT(pixelsOf(picture, chart.annotationRect(0).toRect(), QColor(255, 0, 0)), 20);
    EXPECT_EQ(pixelsOf(picture, chart.annotationRect(1).toRect(), QColor(0, 0, 255)), 0);
    EXPECT_EQ(picture.pixelColor(290, 190).alpha(), 0);
}

TEST(ChartCanvas, PictureLiesOnTheBackgroundImage)
{
    ChartCanvas chart;
    chart.resize(200, 100);
    QImage background(150, 80, QImage::Format_RGB32);
    background.fill(QColor(0, 200, 0));
    chart.setBackgroundImage(background);
    chart.addAnnotation(textAt("MM", 5, 5, 0xFFFFFF));
    const QImage picture = chart.picture();
    EXPECT_EQ(picture.pixelColor(140, 70), QColor(0, 200, 0));
    EXPECT_EQ(picture.pixelColor(180, 90).alpha(), 0); // beyond the image: unscaled, not stretched
    EXPECT_GT(pixelsOf(picture, chart.annotationRect(0).toRect(), QColor(255, 255, 255)), 10);
}

TEST(ChartCanvas, VisibleBoxAndHighlightArePainted)
{
    ChartCanvas chart;
    chart.resize(200, 100);
    Annotation a = textAt("K1", 20, 20);
    a.boxTransparency = 0;
    chart.addAnnotation(a);
    const QRect box = chart.annotationRect(0).toRect();
    EXPECT_EQ(chart.picture().pixelColor(box.left() + 2, box.bottom() - 1), QColor(255, 255, 255));
    chart.setHighlightVisible(0, true);
    EXPECT_EQ(chart.picture().pixelColor(box.left() + 1, box.center().y()), QColor(0, 120, 215));
    chart.setAnnotationTransparent(0, true);
    chart.setHighlightVisible(0, false);
    EXPECT_EQ(chart.picture().pixelColor(box.left() + 2, box.bottom() - 1).alpha(), 0);
}

TEST(ChartCanvas, SavedPictureIsAPngOfTheChartsSizeAndACopyGoesToTheClipboard)
{
    test::TestFolder folder;
    ChartCanvas chart;
    chart.resize(120, 90);
    chart.addAnnotation(textAt("K1", 0, 0));
    const QString path = QString::fromStdString(folder.str() + "/chart.png");
    ASSERT_TRUE(chart.savePicture(path));
    QImage back(path, "PNG");
    EXPECT_EQ(back.size(), QSize(120, 90));
    EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32_Premultiplied), chart.picture());
    EXPECT_FALSE(chart.savePicture(QString::fromStdString(folder.str() + "/no/such/folder/x.png")));
    chart.copyPictureToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(120, 90));
}

// A readable one is the display-one-slide scenario's background.
TEST(ChartCanvas, UnreadableBackgroundKeepsThePreviousImage)
{
    test::TestFolder folder;
    ChartCanvas chart;
    chart.setBackgroundImage(QImage(10, 10, QImage::Format_RGB32));
    folder.write("broken.bmp", "not a picture");
    EXPECT_FALSE(chart.loadBackgroundImage(QString::fromStdString(folder.str() + "/broken.bmp")));
    EXPECT_FALSE(chart.loadBackgroundImage(QString::fromStdString(folder.str() + "/missing.bmp")));
    EXPECT_EQ(chart.backgroundImage().size(), QSize(10, 10));
}

} // namespace
} // namespace quiz
