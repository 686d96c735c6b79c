#include "ui/display/frmtchartdisplay.h"

#include "core/common/text.h"
#include "core/display/displaykeys.h"
#include "core/display/insertplacement.h"
#include "core/startup/runcontext.h"
#include "qtsupport/pngwriter.h"
#include "ui/common/handlerguard.h"
#include "ui/display/chartcanvas.h"
#include "ui/display/chartwindowparts.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/keycodes.h"

#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>

#include <stdexcept>

namespace quiz
{

FrmTChartDisplay::FrmTChartDisplay(RunContext &ctx, DisplayWindowHooks hooks, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), ctx_(ctx),
      hooks_(std::move(hooks))
{
    setObjectName("FrmTChartDisplay");
    setWindowTitle("talvix - Quiz Results");

    const ChartWindowParts parts = addChartWindowParts(this);
    chart_ = parts.chart;
    picture1_ = parts.picture1;
    cmdFocus_ = parts.focusButton;
    cmdFocus_->setVisible(true);

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
    // The slide's picture has no boxes behind its texts.
    for (int i = 0; i < chart_->annotationCount(); ++i)
        chart_->setAnnotationTransparent(i, true);
    QTemporaryFile pictureFile(QDir::tempPath() + "/quiz-chart-XXXXXX.png");
    InsertChartIntoSlide(ctx_.host, slideIndex, ctx_.state.displayAreas[0], [&] {
        if (!pictureFile.open() || !writePngQuickly(chart_->picture(), pictureFile) || !pictureFile.flush())
            throw std::runtime_error("cannot write the chart's picture");
        pictureFile.close();
        chart_->copyPictureToClipboard();
        return pictureFile.fileName().toStdString();
    });

    close();
    if (hooks_.writeInsertCompleteMarker)
        hooks_.writeInsertCompleteMarker();
}

} // namespace quiz
