#include "ui/display/displayrun.h"

#include "core/common/fileutil.h"
#include "core/controller/controllerlink.h"
#include "core/controller/loadparticipants.h"
#include "core/display/displaylayout.h"
#include "core/display/insertplacement.h"
#include "core/quiz/quizfile.h"
#include "core/run/endofrun.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "core/votedata/participants.h"
#include "ports/presentationhost.h"
#include "qtsupport/pngwriter.h"
#include "ui/common/screenmetrics.h"
#include "ui/diagnostics/fader.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QSaveFile>

#include <cstdlib>

namespace quiz
{

std::vector<std::string> ReadQuizForDisplay(RunContext &ctx)
{
    return ReadQuizSetupInto(ctx.state, joinPath(ctx.state.dataFolder, ctx.state.quizFileName));
}

void LoadDisplayParticipants(RunContext &ctx)
{
    if (ctx.link && ctx.pump)
        LoadParticipants(ctx.state, *ctx.link, *ctx.pump);
}

void MoveDisplayAreaDown(RunContext &ctx)
{
    ctx.state.displayAreas[0].top += displayAreaTopShift(ctx.state.twipsPerPixelY, screenHeightTwips());
}

DisplayWindowHooks programDisplayHooks(RunContext &ctx)
{
    DisplayWindowHooks hooks;
    hooks.quitQuiz = [&ctx] { QuitQuiz(ctx); };
    hooks.quitAndRunBrevak = [&ctx] { QuitAndRunBrevak(ctx); };
    hooks.fade = [&ctx](QWidget *window, int from, int to, bool show) {
        fadeWidget(window, from, to, show, false, false, ctx.state.chartFade);
    };
    hooks.writeInsertCompleteMarker = [&ctx] {
        std::string error;
        if (!WriteInsertCompleteMarker(ctx.state, &error) && !error.empty())
            std::fprintf(stderr, "quiz: %s\n", error.c_str());
    };
    return hooks;
}

std::string offscreenPicturePath(const RunContext &ctx)
{
    const QString folder = QString::fromStdString(ctx.state.dataFolder);
    const QFileInfo info(folder);
    const QString base = !folder.isEmpty() && info.isDir() && info.isWritable() ? folder : QDir::tempPath();
    return QDir(base).filePath("QuizDisplay.png").toStdString();
}

bool saveWindowPicture(QWidget *window, const std::string &path)
{
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!writePngQuickly(window->grab().toImage(), file)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QSize insertWindowSize(RunContext &ctx)
{
    try {
        if (ctx.host) {
            const SlideRect r =
                insertedChartRect(ctx.host->pageWidth(), ctx.host->pageHeight(), ctx.state.displayAreas[0]);
            const int w = qRound(r.width * 96 / 72);
            const int h = qRound(r.height * 96 / 72);
            if (w > 0 && h > 0)
                return QSize(w, h);
        }
    } catch (const std::exception &) {
    }
    return QSize(640, 480);
}

} // namespace quiz
