#include "app/modes/exportmode.h"

#include "app/platformservices.h"
#include "app/unattendedrun.h"
#include "core/common/runend.h"
#include "core/presentationlink/presentationlink.h"
#include "core/quiz/quizresultsexport.h"
#include "core/startup/runcontext.h"
#include "qtsupport/widgetlinkform.h"
#include "ui/diagnostics/fader.h"
#include "ui/results/frmloading.h"

#include <QApplication>

namespace quiz
{

namespace
{

// The progress window kept over the presentation program: setting the bar up
// centres the window on the screen, so it is put back over the program.
class CentredProgress : public ProgressView
{
  public:
    CentredProgress(RunContext &ctx, frmLoading &form) : ctx_(ctx), form_(form) {}
    void centre()
    {
        WidgetLinkForm link(&form_, ctx_.state.twipsPerPixelX, ctx_.state.twipsPerPixelY);
        CentreOverPowerPoint(ctx_, link, false);
    }
    void setUpProgressBar(float maximum) override
    {
        form_.SetUpProgressBar(maximum);
        centre();
    }
    void incrementProgressBar() override { form_.IncrementProgressBar(); }
    void unload() override { form_.unload(); }

  private:
    RunContext &ctx_;
    frmLoading &form_;
};

// The hourglass, taken back however the export ends.
class BusyCursor
{
  public:
    ~BusyCursor() { set(false); }
    void set(bool on)
    {
        if (on == on_ || !qobject_cast<QApplication *>(QCoreApplication::instance()))
            return;
        on_ = on;
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }

  private:
    bool on_ = false;
};

} // namespace

// EXPORT: the individual results workbook of every quiz in the presentation.
// With TALVIX_OUTPUT set it is saved under that name without any dialog.
void runExportMode(RunContext &ctx)
{
    UnattendedRun unattended(ctx);
    frmLoading progress([&ctx](bool enable) { EnablePowerPointWindows(ctx, enable); });
    CentredProgress centred(ctx, progress);
    ScopedPort<ProgressView> progressPort(ctx.progress, &centred);
    BusyCursor busy;

    ExportWindowHooks hooks;
    hooks.showProgressWindow = [&] {
        progress.setWindowOpacity(0.0);
        centred.setUpProgressBar(1);
        fadeWidget(&progress, 0, 255, true, false, false, ctx.state.chartFade);
    };
    hooks.hideProgressWindow = [&] {
        fadeWidget(&progress, 255, 0, false, false, false, ctx.state.chartFade);
    };
    hooks.setBusyCursor = [&busy](bool on) { busy.set(on); };
    hooks.errorLogPath = processErrorLogPath(ctx.environment);

    if (!ctx.workbooks)
        endRun(1, "the export needs a workbook writer");
    exportQuizResults(ctx, *ctx.workbooks, hooks);
}

} // namespace quiz
