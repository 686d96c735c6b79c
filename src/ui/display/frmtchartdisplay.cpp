#include "ui/display/frmtchartdisplay.h"

#include "core/common/text.h"
#include "core/display/displaykeys.h"
#include "core/display/insertplacement.h"
#include "core/startup/runcontext.h"
#include "ports/presentationhost.h"
#include "qtsupport/pngwriter.h"
#include "ui/common/handlerguard.h"
#include "ui/display/chartcanvas.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/keycodes.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>

#include <filesystem>

namespace quiz
{

FrmTChartDisplay::FrmTChartDisplay(RunContext &ctx, DisplayWindowHooks hooks, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ctx_(ctx),
      hooks_(std::move(hooks))
{
    setObjectName("FrmTChartDisplay");
    setWindowTitle("talvix - Quiz Results");

    chart_ = new ChartCanvas(this);
    chart_->setObjectName("TChart");

    picture1_ = new QLabel(this);
    picture1_->setObjectName("Picture1");
    picture1_->hide();

    cmdFocus_ = new QPushButton(this);
    cmdFocus_->setObjectName("cmdFocus");
    cmdFocus_->move(-1000, 0); // keeps the focus out of sight
    cmdFocus_->setVisible(true);
    cmdFocus_->installEventFilter(this);

    tmrSetFocus_ = new QTimer(this);
    tmrSetFocus_->setObjectName("tmr_SetFocus");
    tmrSetFocus_->setInterval(100);

    connect(tmrSetFocus_, &QTimer::timeout, this, guarded(this, &FrmTChartDisplay::tmr_SetFocus_Timer));
    connect(cmdFocus_, &QPushButton::clicked, this, guarded([this] { endDisplay(); }));
    connect(chart_, &ChartCanvas::chartFocused, this, guarded(this, &FrmTChartDisplay::onChartFocused));
    connect(chart_, &ChartCanvas::chartClicked, this, guarded([this] { endDisplay(); }));
    connect(chart_, &ChartCanvas::chartKeyDown, this, guarded([this](int keyCode, int chartShift) {
                formKeyDown(keyCode, chartShiftToWindowShift(chartShift));
            }));
}

void FrmTChartDisplay::formKeyDown(int keyCode, int shiftState)
{
    switch (displayKeyAction(keyCode, shiftState)) {
    case DisplayKeyAction::QuitAndRunBrevak:
        fadeOut();
        if (hooks_.quitAndRunBrevak)
            hooks_.quitAndRunBrevak();
        break;
    case DisplayKeyAction::EndAndMoveOn:
        fadeOut();
        endDisplay();
        break;
    case DisplayKeyAction::EndAndStay:
        fadeOut();
        ctx_.state.onFinishChoice = 0;
        endDisplay();
        break;
    case DisplayKeyAction::None:
        break;
    }
}

void FrmTChartDisplay::enableFocusTimer()
{
    tmrSetFocus_->start();
}

void FrmTChartDisplay::tmr_SetFocus_Timer()
{
    ++tickCount_;
    if (tickCount_ < 5) {
        if (isVisible() && isEnabled()) {
            ++focusClaims_;
            activateWindow();
            cmdFocus_->setFocus();
        }
    } else {
        tmrSetFocus_->stop();
    }
}

void FrmTChartDisplay::keyPressEvent(QKeyEvent *event)
{
    guardRunEnd([&] {
        formKeyDown(virtualKeyCode(event->key()), windowShiftState(event->modifiers()));
        event->accept();
    });
}

// Keys reaching the focus button belong to the window, as a window that
// previews its controls' keys sees them first.
bool FrmTChartDisplay::eventFilter(QObject *watched, QEvent *event)
{
    return guardRunEnd(true, [&]() -> bool {
        return takeFocusButtonKey(watched, cmdFocus_, event,
                                  [this](int key, int shift) { formKeyDown(key, shift); }) ||
               QWidget::eventFilter(watched, event);
    });
}

void FrmTChartDisplay::fadeOut()
{
    if (hooks_.fade)
        hooks_.fade(this, 255, 0, false);
    else
        hide();
}

void FrmTChartDisplay::endDisplay()
{
    traceAnnotationsOnScreen("display window", *chart_);
    if (hooks_.quitQuiz)
        hooks_.quitQuiz();
}

void FrmTChartDisplay::onChartFocused()
{
    if (toUpper(ctx_.state.modeWord).starts_with("DISPLAY"))
        chart_->setFocus();
}

void FrmTChartDisplay::ExportToPowerPoint(int slideIndex)
{
    PresentationHost *host = ctx_.host;
    int attempts = 0;
    // Runs one step; error 70 removes a shape left by an earlier insertion and
    // tries again (a bounded number of times); any other failure moves on.
    auto step = [&](const std::function<void()> &body) {
        for (attempts = 0;; ++attempts) {
            try {
                body();
                return;
            } catch (const HostError &error) {
                if (error.number() != 70 || attempts >= maxPermissionRetries || !host)
                    return;
                try {
                    host->deleteShape(slideIndex, insertedChartName);
                } catch (const std::exception &) {
                }
            } catch (const std::exception &) {
                return;
            }
        }
    };

    auto requireHost = [&] {
        if (!host)
            throw std::runtime_error("no presentation program");
    };

    step([&] {
        requireHost();
        if (!host->attach())
            throw std::runtime_error("the presentation program is not running");
        const std::string path = host->activePresentationPath();
        if (!path.empty())
            std::filesystem::current_path(std::filesystem::path(path).parent_path());
    });
    for (int i = 0; i < chart_->annotationCount(); ++i)
        chart_->setAnnotationTransparent(i, true);

    SlideRect rect;
    step([&] {
        requireHost();
        rect = insertedChartRect(host->pageWidth(), host->pageHeight(), ctx_.state.displayAreas[0]);
    });

    QTemporaryFile pictureFile(QDir::tempPath() + "/quiz-chart-XXXXXX.png");
    std::string pastedName;
    step([&] {
        requireHost();
        if (!pictureFile.open() || !writePngQuickly(chart_->picture(), pictureFile) || !pictureFile.flush())
            throw std::runtime_error("cannot write the chart's picture");
        pictureFile.close();
        chart_->copyPictureToClipboard();
        pastedName = host->pastePicture(slideIndex, pictureFile.fileName().toStdString());
    });

    HostShape shape;
    shape.left = rect.left;
    shape.top = rect.top;
    shape.width = rect.width;
    shape.height = rect.height;
    shape.name = insertedChartName;
    shape.visible = false;
    // Without a pasted shape there is nothing to place.
    auto pasted = [&] {
        requireHost();
        if (pastedName.empty())
            throw std::runtime_error("no picture was pasted");
    };
    step([&] {
        pasted();
        host->updateShape(slideIndex, pastedName, shape);
    });
    shape.visible = true;
    step([&] {
        pasted();
        host->updateShape(slideIndex, insertedChartName, shape);
    });

    close();
    if (hooks_.writeInsertCompleteMarker)
        hooks_.writeInsertCompleteMarker();
}

} // namespace quiz
