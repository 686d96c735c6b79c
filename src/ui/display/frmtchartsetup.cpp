#include "ui/display/frmtchartsetup.h"

#include "core/display/displaylayout.h"
#include "core/quiz/displayannotations.h"
#include "core/startup/runcontext.h"
#include "ports/dialogs.h"
#include "ports/presentationhost.h"
#include "ui/common/handlerguard.h"
#include "ui/common/screenmetrics.h"
#include "ui/diagnostics/fader.h"
#include "ui/display/backgroundgrabber.h"
#include "ui/display/chartwindowparts.h"
#include "ui/display/composechartdisplay.h"
#include "ui/display/keycodes.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace quiz
{

FrmTChartSetup::FrmTChartSetup(RunContext &ctx, LayoutEditorHooks hooks, QWidget *parent)
    // Above the full-screen show it is laid over.
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), ctx_(ctx), hooks_(std::move(hooks))
{
    setObjectName("FrmTChartSetup");
    setWindowTitle("Close this window to return to the main screen - Right click for menu");
    // Closing the editor hands back to the set-up screen; it never ends the run.
    setAttribute(Qt::WA_QuitOnClose, false);

    const ChartWindowParts parts = addChartWindowParts(this);
    chart_ = parts.chart;
    picture1_ = parts.picture1;
    cmdFocus_ = parts.focusButton;

    timerAnnotationMove_ = new QTimer(this);
    timerAnnotationMove_->setObjectName("timerAnnotationMove");
    timerAnnotationMove_->setInterval(50);
    timerRefresh_ = new QTimer(this);
    timerRefresh_->setObjectName("timerRefresh");
    timerRefresh_->setInterval(50);
    connect(timerAnnotationMove_, &QTimer::timeout, this,
            guarded(this, &FrmTChartSetup::timerAnnotationMove_Timer));
    connect(timerRefresh_, &QTimer::timeout, this, guarded(this, &FrmTChartSetup::timerRefresh_Timer));
    timerRefresh_->start();

    menuQuiz_ = new QMenu("Quiz", this);
    menuQuiz_->setObjectName("menuQuiz");
    addEntry(menuQuiz_, "menuFont", "Font", &FrmTChartSetup::menuFont_Click);
    addEntry(menuQuiz_, "menuDistribute", "Auto Distribute", &FrmTChartSetup::menuDistribute_Click);
    QMenu *align = menuQuiz_->addMenu("Align Selected");
    align->setObjectName("menuAlignSubmenu");
    menuAlign_ = align->menuAction();
    menuAlign_->setObjectName("menuAlign");
    addEntry(align, "menuAlignVertically", "Left", &FrmTChartSetup::menuAlignVertically_Click);
    addEntry(align, "menuAlignHorizontally", "Top", &FrmTChartSetup::menuAlignHorizontally_Click);
    addEntry(menuQuiz_, "menuSelectAll", "Select All", nullptr); // carries no action
    addEntry(menuQuiz_, "menuSelectTeams", "Keypads", &FrmTChartSetup::menuSelectTeams_Click);
    menuSelectScores_ =
        addEntry(menuQuiz_, "menuSelectScores", "Scores", &FrmTChartSetup::menuSelectScores_Click);
    menuDeSelect_ = addEntry(menuQuiz_, "menuDeSelect", "DeSelect All", &FrmTChartSetup::menuDeSelect_Click);
    addEntry(menuQuiz_, "menuHelp", "Help", &FrmTChartSetup::menuHelp_Click);

    connect(chart_, &ChartCanvas::chartFocused, chart_, guarded([this] { chart_->setFocus(); }));
    connect(chart_, &ChartCanvas::chartKeyDown, this, guarded([this](int keyCode, int chartShift) {
                formKeyDown(keyCode, chartShiftToWindowShift(chartShift));
            }));
    connect(chart_, &ChartCanvas::chartMouseDown, this,
            guarded([this](int button, int, double x, double y) { chartMouseDown(button, x, y); }));
    connect(chart_, &ChartCanvas::chartMouseMove, this,
            guarded([this](int, double x, double y) { chartMouseMove(x, y); }));
    connect(chart_, &ChartCanvas::chartMouseUp, this,
            guarded([this](int, int, double x, double y) { chartMouseUp(x, y); }));

    if (!hooks_.fade)
        hooks_.fade = [this](QWidget *w, int from, int to, bool show) {
            fadeWidget(w, from, to, show, false, false, ctx_.state.chartFade);
        };
    if (!hooks_.grabBackground)
        hooks_.grabBackground = [this] { GrabBackground(ctx_, this, chart_, picture1_, true); };
}

QAction *FrmTChartSetup::addEntry(QMenu *menu, const char *name, const QString &caption,
                                  void (FrmTChartSetup::*slot)())
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    if (slot)
        connect(action, &QAction::triggered, this, guarded(this, slot));
    return action;
}

ChartWindowParts FrmTChartSetup::parts()
{
    return ChartWindowParts{this, chart_, cmdFocus_, picture1_, {}};
}

void FrmTChartSetup::edit(const std::function<void(Annotations &)> &operation)
{
    Annotations annotations = chart_->model().annotations();
    operation(annotations);
    for (std::size_t i = 0; i < annotations.size(); ++i)
        if (!(annotations[i] == chart_->annotation(static_cast<int>(i))))
            chart_->setAnnotation(static_cast<int>(i), annotations[i]);
}

std::vector<RectD> FrmTChartSetup::boxes() const
{
    std::vector<RectD> out;
    for (int i = 0; i < chart_->annotationCount(); ++i) {
        const QRectF r = chart_->annotationRect(i);
        out.push_back(RectD{r.left(), r.top(), r.width(), r.height()});
    }
    return out;
}

void FrmTChartSetup::fadeIn()
{
    hooks_.fade(this, 0, 255, true);
}

void FrmTChartSetup::grabBackground()
{
    hooks_.grabBackground();
}

void FrmTChartSetup::formKeyDown(int keyCode, int shiftState)
{
    edit([&](Annotations &a) { editorKeyDown(a, keyCode, shiftState); });
    grabBackground();
}

void FrmTChartSetup::chartMouseDown(int button, double x, double y)
{
    const CursorPos cursor = cursorAt(x, y);
    bool showMenu = false;
    edit([&](Annotations &a) {
        showMenu = mouse_.mouseDown(a, boxes(), button, x, y, ctx_.state.showScores != 0, cursor);
    });
    menuAlign_->setEnabled(mouse_.menu().align);
    menuDeSelect_->setEnabled(mouse_.menu().deselect);
    menuSelectScores_->setEnabled(mouse_.menu().scores);
    if (showMenu)
        menuQuiz_->popup(chart_->mapToGlobal(QPoint(qRound(x), qRound(y))));
}

void FrmTChartSetup::chartMouseMove(double x, double y)
{
    switch (mouse_.mouseMove(chart_->model().annotations(), boxes(), x, y, cursorAt(x, y))) {
    case EditorMouse::Pointer::Default:
        chart_->unsetCursor();
        break;
    case EditorMouse::Pointer::SizeAll:
        chart_->setCursor(Qt::SizeAllCursor);
        break;
    case EditorMouse::Pointer::Unchanged:
        return;
    }
    if (mouse_.dragging() && !timerAnnotationMove_->isActive()) {
        timerAnnotationMove_->setInterval(50);
        timerAnnotationMove_->start();
    }
}

void FrmTChartSetup::chartMouseUp(double x, double y)
{
    const CursorPos cursor = cursorAt(x, y);
    timerAnnotationMove_->stop();
    edit([&](Annotations &a) { mouse_.mouseUp(a, cursor, chart_->width(), chart_->height()); });
    grabBackground();
}

CursorPos FrmTChartSetup::cursorAt(double x, double y)
{
    cursor_ = chart_->mapToGlobal(QPointF(x, y)).toPoint();
    return CursorPos{cursor_->x(), cursor_->y()};
}

void FrmTChartSetup::timerAnnotationMove_Timer()
{
    timerAnnotationMove_->setInterval(10);
    const QPoint cursor = cursor_.value_or(QCursor::pos());
    edit([&](Annotations &a) {
        mouse_.dragTick(a, CursorPos{cursor.x(), cursor.y()}, chart_->width(), chart_->height());
    });
}

void FrmTChartSetup::timerRefresh_Timer()
{
    const QRect frame = frameGeometry();
    if (frame == lastFrame_)
        return;
    // Remembered first: the cut yields to the event loop, where this timer runs again.
    lastFrame_ = frame;
    grabBackground();
}

void FrmTChartSetup::menuFont_Click()
{
    if (chart_->annotationCount() == 0 || !ctx_.dialogs)
        return;
    const std::optional<FontChoice> chosen = ctx_.dialogs->font("Font", chart_->annotation(0).font);
    if (!chosen)
        return;
    edit([&](Annotations &a) { applyFont(a, *chosen); });
    grabBackground();
}

void FrmTChartSetup::menuDistribute_Click()
{
    if (!ctx_.dialogs || chart_->annotationCount() == 0)
        return;
    const std::optional<int> columns = askDistributeColumns(*ctx_.dialogs);
    if (!columns)
        return;
    DistributeMetrics metrics;
    for (const RectD &box : boxes())
        metrics.widestWidth = std::max(metrics.widestWidth, box.width);
    metrics.windowWidth = chart_->width();
    metrics.windowHeight = chart_->height();
    // The window's font takes annotation 0's name, boldness and size.
    const Annotation &first = chart_->annotation(0);
    QFont font(QString::fromStdString(first.font.name));
    font.setBold(first.font.bold);
    font.setPointSize(std::max(1, first.font.size));
    metrics.textHeight = QFontMetricsF(font, chart_).size(0, QString::fromStdString(first.text)).height();
    metrics.fontSize = font.pointSizeF();
    edit([&](Annotations &a) { distribute(a, *columns, metrics); });
}

void FrmTChartSetup::menuAlignVertically_Click()
{
    edit([](Annotations &a) { alignSelected(a, AlignEdge::Left); });
}

void FrmTChartSetup::menuAlignHorizontally_Click()
{
    edit([](Annotations &a) { alignSelected(a, AlignEdge::Top); });
}

void FrmTChartSetup::menuSelectTeams_Click()
{
    edit([](Annotations &a) { selectKind(a, AnnotationKind::Name); });
}

void FrmTChartSetup::menuSelectScores_Click()
{
    edit([](Annotations &a) { selectKind(a, AnnotationKind::Score); });
}

void FrmTChartSetup::menuDeSelect_Click()
{
    edit([](Annotations &a) { deselectAll(a); });
}

void FrmTChartSetup::menuHelp_Click()
{
    if (ctx_.dialogs)
        ctx_.dialogs->message(layoutEditorHelpText(), layoutEditorHelpTitle, MessageIcon::None,
                              MessageButtons::Ok);
}

void FrmTChartSetup::keyPressEvent(QKeyEvent *event)
{
    guardRunEnd([&] {
        formKeyDown(virtualKeyCode(event->key()), windowShiftState(event->modifiers()));
        event->accept();
    });
}

void FrmTChartSetup::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    chart_->setGeometry(0, 0, width(), height());
}

// Keys reaching the focus button belong to the window.
bool FrmTChartSetup::eventFilter(QObject *watched, QEvent *event)
{
    return guardRunEnd(true, [&]() -> bool {
        return takeFocusButtonKey(watched, cmdFocus_, event,
                                  [this](int key, int shift) { formKeyDown(key, shift); }) ||
               QWidget::eventFilter(watched, event);
    });
}

void FrmTChartSetup::closeEvent(QCloseEvent *event)
{
    guardRunEnd([&] {
        if (!closing_) {
            closing_ = true;
            storeAndLeave();
        }
        event->accept();
    });
}

void FrmTChartSetup::storeAndLeave()
{
    timerAnnotationMove_->stop();
    timerRefresh_->stop();
    QuizState &state = ctx_.state;
    traceAnnotationsOnScreen("layout editor", *chart_);
    storeLayout(state, chart_->model().annotations(), double(width()) * state.twipsPerPixelX,
                double(height()) * state.twipsPerPixelY);
    try {
        // The inside, where the rows lie: DISPLAY puts its frameless window there.
        const QPoint corner = mapToGlobal(QPoint(0, 0));
        const PixelRect inside{corner.x(), corner.y(), width(), height()};
        const float shift = displayAreaTopShift(state.twipsPerPixelY, screenHeightTwips());
        if (const auto area = closingDisplayArea(state.displayAreas[0], inside, showWindowRect(ctx_), shift))
            state.displayAreas[0] = *area;
    } catch (const std::exception &) {
        // No show window to measure against: the stored place stays.
    }
    hooks_.fade(this, 255, 0, false);
    try {
        if (ctx_.host)
            ctx_.host->runMacro("EndShowEdit", {});
    } catch (const std::exception &) {
        // The layout is stored; a show that cannot be ended is left to the presenter.
    }
    const char *opener = state.setupForm == SetupFormKind::QuizWizard ? "QuizWizard" : "QuizForm";
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->objectName() == QLatin1String(opener)) {
            w->show();
            w->raise();
            w->activateWindow();
            break;
        }
    emit closed();
}

} // namespace quiz
