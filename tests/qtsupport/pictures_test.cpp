// The quick picture files: what they write, Qt reads back unchanged; what
// they read, they read as Qt does, and a file they do not handle themselves
// is left to Qt's readers.

#include "qtsupport/bmpfile.h"
#include "qtsupport/pngwriter.h"
#include "support/testfolder.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <string_view>

namespace quiz
{
namespace
{

// Odd sizes, so that rows need padding to four bytes; colours in every channel.
QImage sample(int width, int height, QImage::Format format)
{
    QImage image(width, height, format);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height, QColor(200, 30, 90));
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, QColor(10, 220, 40, 128));
    painter.setPen(QColor(0, 0, 255));
    painter.drawLine(0, height - 1, width - 1, 0);
    return image;
}

TEST(QuickPictures, BmpWrittenIsReadBackByQtAndByItsReader)
{
    test::TestFolder folder;
    for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(37, 11)}) {
        const QImage image = sample(size.width(), size.height(), QImage::Format_RGB32);
        const QString path = QString::fromStdString(folder.str() + "/written.bmp");
        ASSERT_TRUE(writeBmpQuickly(image, path));
        EXPECT_EQ(QImage(path, "BMP").convertToFormat(QImage::Format_RGB32), image) << size.width();
        EXPECT_EQ(readImageQuickly(path), image) << size.width();
    }
    EXPECT_FALSE(writeBmpQuickly(sample(4, 4, QImage::Format_RGB32),
                                 QString::fromStdString(folder.str() + "/no/such/folder/x.bmp")));
}

// Files of other writers: Qt's own BMP, a 32-bit BMP stored from the top, a
// PNG, a cut-off BMP and a file that is no picture.
TEST(QuickPictures, FilesAreReadAsQtReadsThem)
{
    test::TestFolder folder;
    const QImage image = sample(13, 7, QImage::Format_RGB32);
    const auto path = [&](const char *name) { return QString::fromStdString(folder.str() + "/" + name); };
    ASSERT_TRUE(image.save(path("qt.bmp"), "BMP"));
    ASSERT_TRUE(image.save(path("qt.png"), "PNG"));
    QFile qtBmp(path("qt.bmp"));
    ASSERT_TRUE(qtBmp.open(QIODevice::ReadOnly));
    const QByteArray whole = qtBmp.readAll();
    folder.write("cut.bmp", whole.left(whole.size() - 40).toStdString());
    folder.write("text.bmp", "BM but not a picture");

    // 32 bits per pixel, rows from the top (a negative height).
    QByteArray topDown(54 + 13 * 7 * 4, '\0');
    topDown.replace(0, 54, whole.left(54));
    const auto put32 = [&](int at, qint32 v) {
        for (int i = 0; i < 4; ++i)
            topDown[at + i] = char((quint32(v) >> (8 * i)) & 0xFF);
    };
    put32(2, qint32(topDown.size()));
    put32(10, 54);
    put32(22, -7);
    topDown[28] = 32;
    put32(34, 13 * 7 * 4);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) {
            const QRgb c = image.pixel(x, y);
            const int at = 54 + (y * 13 + x) * 4;
            topDown[at] = char(qBlue(c)), topDown[at + 1] = char(qGreen(c)), topDown[at + 2] = char(qRed(c));
        }
    folder.write("topdown.bmp", topDown.toStdString());

    for (const char *name : {"qt.bmp", "qt.png", "topdown.bmp", "cut.bmp", "text.bmp", "missing.bmp"}) {
        const QImage byQt(path(name));
        const QImage quick = readImageQuickly(path(name));
        EXPECT_EQ(quick.isNull(), byQt.isNull()) << name;
        EXPECT_EQ(quick.size(), byQt.size()) << name;
        // The rows a cut-off file lacks are whatever Qt's reader leaves there.
        if (!byQt.isNull() && std::string_view(name) != "cut.bmp") {
            EXPECT_EQ(quick.convertToFormat(QImage::Format_RGB32), byQt.convertToFormat(QImage::Format_RGB32))
                << name;
        }
    }
    EXPECT_EQ(readImageQuickly(path("topdown.bmp")), image);
}

TEST(QuickPictures, PngKeepsColoursAndTransparency)
{
    for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
        const QImage image = sample(29, 9, format);
        QBuffer buffer;
        ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
        ASSERT_TRUE(writePngQuickly(image, buffer));
        const QImage back = QImage::fromData(buffer.data(), "PNG");
        EXPECT_EQ(back.hasAlphaChannel(), image.hasAlphaChannel());
        EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32), image.convertToFormat(QImage::Format_ARGB32));
    }
}

} // namespace
} // namespace quiz
