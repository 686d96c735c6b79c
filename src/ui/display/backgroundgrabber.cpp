#include "ui/display/backgroundgrabber.h"

#include "core/display/backgroundcapture.h"
#include "core/presentationlink/presentationlink.h"
#include "core/startup/runcontext.h"
#include "ports/eventpump.h"
#include "ports/presentationhost.h"
#include "ports/windowsystem.h"
#include "qtsupport/bmpfile.h"
#include "ui/display/chartcanvas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QTemporaryDir>

namespace quiz
{

namespace
{
QImage &picture()
{
    static QImage captured;
    return captured;
}
} // namespace

PixelRect showWindowRect(RunContext &ctx)
{
    const auto &shows = ctx.state.showWindows;
    if (ctx.windows && !shows.empty() && shows.front() >= 1)
        return ctx.windows->windowRect(shows.front());
    return ctx.host ? ctx.host->slideShowWindowRect() : PixelRect{};
}

const QImage &slidePicture()
{
    return picture();
}

void setSlidePicture(const QImage &image)
{
    picture() = image;
}

void CaptureSlideShow(RunContext &ctx)
{
    if (!ctx.host)
        return;
    try {
        if (ctx.windows) {
            CollectPowerPointWindows(ctx);
            const auto &shows = ctx.state.showWindows;
            if (shows.empty() || shows.front() < 1)
                return;
        } else if (ctx.host->slideShowWindowCount() < 1) {
            return;
        }
        const QTemporaryDir folder(QDir::tempPath() + "/quiz-capture-XXXXXX");
        if (!folder.isValid())
            return;
        // An uncompressed file: quick to write and to read back.
        const QString path = folder.filePath("slide.bmp");
        ctx.host->captureSlideShow(path.toStdString());
        const QImage image = readImageQuickly(path);
        if (!image.isNull())
            setSlidePicture(image);
    } catch (const std::exception &) {
        // A failed capture leaves the previous picture; the display goes on.
    }
}

std::string backgroundTempFolder(const std::string &addinFolder)
{
    const QFileInfo folder(QString::fromStdString(addinFolder));
    if (!addinFolder.empty() && folder.isDir() && folder.isWritable())
        return QDir::cleanPath(folder.absoluteFilePath()).toStdString();
    return QDir::tempPath().toStdString();
}

void GrabBackground(RunContext &ctx, QWidget *window, ChartCanvas *chart, QLabel *picture1,
                    bool isLayoutEditor)
{
    try {
        const QImage &slide = slidePicture();
        if (slide.isNull() || !ctx.host || !window || !chart)
            return;
        const PixelRect show = showWindowRect(ctx);
        const int tx = ctx.state.twipsPerPixelX;
        const int ty = ctx.state.twipsPerPixelY;
        const QRect frame = window->frameGeometry();
        const ChartPlacementTwips placement{double(frame.x()) * tx,      double(frame.y()) * ty,
                                            double(chart->x()) * tx,     double(chart->y()) * ty,
                                            double(chart->width()) * tx, double(chart->height()) * ty};
        const BackgroundClip clip =
            backgroundClip(isLayoutEditor, placement, tx, ty, show, slide.width(), slide.height());
        const QImage cut = slide.copy(clip.x, clip.y, clip.width, clip.height);
        if (picture1)
            picture1->setPixmap(QPixmap::fromImage(cut));

        const QString file =
            QDir(QString::fromStdString(backgroundTempFolder(ctx.state.addinFolder))).filePath("bcktemp.bmp");
        writeBmpQuickly(cut, file);
        // Let the file be complete before it is read back.
        if (ctx.pump)
            for (int i = 0; i < 500; ++i)
                ctx.pump->processEvents();
        if (QFile::exists(file)) {
            chart->loadBackgroundImage(file);
            QFile::remove(file);
        }
    } catch (const std::exception &) {
        // The chart keeps its previous background.
    }
}

} // namespace quiz
