// The quick picture files: what they write, Qt reads back unchanged; what
// they read, they read as Qt does, and a file they do not handle themselves
// is left to Qt's readers.

#include "qtsupport/bmpfile.h"
#include "qtsupport/pngwriter.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <QBuffer>
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

// A BMP, and a PNG opaque or with its transparency, of each size.
TEST(QuickPictures, WrittenFilesAreReadBackUnchanged)
{
    test::TestFolder folder;
    const QString bmp = QString::fromStdString(folder.str() + "/written.bmp");
    for (const QSize size : {QSize(1, 1), QSize(3, 2), QSize(37, 11)}) {
        const QImage image = sample(size.width(), size.height(), QImage::Format_RGB32);
        ASSERT_TRUE(writeBmpQuickly(image, bmp));
        EXPECT_EQ(QImage(bmp, "BMP").convertToFormat(QImage::Format_RGB32), image) << size.width();
        EXPECT_EQ(readImageQuickly(bmp), image) << size.width();
        for (const QImage::Format format : {QImage::Format_RGB32, QImage::Format_ARGB32}) {
            const QImage picture = sample(size.width(), size.height(), format);
            QBuffer png;
            ASSERT_TRUE(png.open(QIODevice::WriteOnly) && writePngQuickly(picture, png));
            const QImage back = QImage::fromData(png.data(), "PNG");
            EXPECT_EQ(back.hasAlphaChannel(), picture.hasAlphaChannel()) << size.width();
            EXPECT_EQ(back.convertToFormat(QImage::Format_ARGB32),
                      picture.convertToFormat(QImage::Format_ARGB32));
        }
    }
    EXPECT_FALSE(writeBmpQuickly(sample(4, 4, QImage::Format_RGB32),
                                 QString::fromStdString(folder.str() + "/no/such/folder/x.bmp")));
}

// Files of other writers (tests/data/qtsupport), each the sample of 13 x 7:
// Qt's own BMP and PNG, a 32-bit BMP stored from the top (a negative height),
// Qt's BMP cut short by 40 bytes, and a file that is no picture.
TEST(QuickPictures, FilesAreReadAsQtReadsThem)
{
    const auto path = [](const char *name) {
        return QString::fromStdString(test::dataPath("qtsupport/") + name);
    };
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
    EXPECT_EQ(readImageQuickly(path("topdown.bmp")), sample(13, 7, QImage::Format_RGB32));
}

} // namespace
} // namespace quiz
