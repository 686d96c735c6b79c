#include "ui/display/composechartdisplay.h"

#include "qtsupport/trace.h"

#include "core/display/displaylayout.h"
#include "core/quiz/displayannotations.h"
#include "core/quiz/displayrows.h"
#include "core/startup/runcontext.h"
#include "ui/display/backgroundgrabber.h"
#include "ui/display/chartcanvas.h"
#include "ui/display/frmtchartdisplay.h"

#include <QPushButton>
#include <QWidget>

namespace quiz
{

namespace
{

// The scoring's rows land on the chart's annotations; an index past the
// chart's tools (a count raised by the scoring) is left alone.
class CanvasRows : public AnnotationTarget
{
  public:
    explicit CanvasRows(ChartCanvas &chart) : chart_(chart) {}
    void setAnnotationText(int index, const std::string &text) override
    {
        if (index < chart_.annotationCount())
            chart_.setAnnotationText(index, text);
    }
    void setAnnotationActive(int index, bool active) override
    {
        if (index < chart_.annotationCount())
            chart_.setAnnotationActive(index, active);
    }

  private:
    ChartCanvas &chart_;
};

} // namespace

ChartWindowParts chartWindowParts(FrmTChartDisplay &window)
{
    ChartWindowParts parts;
    parts.window = &window;
    parts.chart = window.chart();
    parts.focusButton = window.focusButton();
    parts.picture1 = window.pictureBox();
    parts.enableFocusTimer = [w = &window] { w->enableFocusTimer(); };
    return parts;
}

void ComposeChartDisplay(RunContext &ctx, const ChartWindowParts &target, bool forLayoutEditor,
                         bool skipBackground, int displayRowCount, const DisplayRows *rows)
{
    QWidget *window = target.window;
    ChartCanvas *chart = target.chart;
    window->setVisible(false);
    chart->setGeometry(0, 0, window->width(), window->height());
    if (target.focusButton)
        target.focusButton->move(-5000, target.focusButton->y());

    const QuizState &state = ctx.state;
    const double widthTwips = double(window->width()) * state.twipsPerPixelX;
    const double heightTwips = double(window->height()) * state.twipsPerPixelY;
    for (const Annotation &annotation : composeAnnotations(state, displayRowCount, widthTwips, heightTwips))
        chart->addAnnotation(annotation);

    if (!forLayoutEditor && rows) {
        CanvasRows canvasRows(*chart);
        ApplyDisplayRows(*rows, canvasRows);
        // The composed texts, for checking a run that no one can watch.
        for (int i = 0; traceOn() && i < chart->annotationCount(); ++i)
            if (chart->annotation(i).active)
                trace("display annotation " + std::to_string(i) + ": " + chart->annotation(i).text);
    }

    if (!skipBackground) {
        GrabBackground(ctx, window, chart, target.picture1, forLayoutEditor);
        if (!forLayoutEditor && target.enableFocusTimer)
            target.enableFocusTimer();
    }
}

void traceAnnotationsOnScreen(const std::string &who, const ChartCanvas &chart)
{
    for (int i = 0; traceOn() && i < chart.annotationCount(); ++i) {
        const Annotation &a = chart.annotation(i);
        if (!a.active)
            continue;
        const QPoint at = chart.mapToGlobal(QPoint(qRound(a.left), qRound(a.top)));
        trace(who + " annotation " + std::to_string(i) + " at " + std::to_string(at.x()) + "," +
              std::to_string(at.y()));
    }
}

} // namespace quiz
