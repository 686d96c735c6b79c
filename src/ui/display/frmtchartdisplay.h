#pragma once

#include "ui/display/chartcanvas.h"

#include <QWidget>

#include <functional>

class QPushButton;
class QLabel;
class QTimer;

namespace quiz
{

struct RunContext;

// What the display window calls to fade itself and to end the run. quitQuiz
// and quitAndRunBrevak end the run in the program; fade(window, from, to,
// show) steps the window's opacity.
struct DisplayWindowHooks {
    std::function<void()> quitQuiz;
    std::function<void()> quitAndRunBrevak;
    std::function<void(QWidget *window, int from, int to, bool show)> fade;
    // Writes the insertion's completion marker (and removes the active marker).
    std::function<void()> writeInsertCompleteMarker;
};

// The window that carries the top-scorer display over the slide show, and,
// unseen, the picture that an insertion pastes into a slide.
class FrmTChartDisplay : public QWidget
{
    Q_OBJECT
  public:
    FrmTChartDisplay(RunContext &ctx, DisplayWindowHooks hooks, QWidget *parent = nullptr);

    ChartCanvas *chart() const { return chart_; }
    QPushButton *focusButton() const { return cmdFocus_; }
    QLabel *pictureBox() const { return picture1_; }
    QTimer *focusTimer() const { return tmrSetFocus_; }
    int focusTickCount() const { return tickCount_; }
    int focusClaimCount() const { return focusClaims_; }

    // Key handling of the window: key code and shift state (1 Shift, 2 Ctrl, 4 Alt).
    void formKeyDown(int keyCode, int shiftState);

    // Starts the focus timer (called once the background is in place).
    void enableFocusTimer();

    // Pastes the chart's picture into slide slideIndex (1-based) of the active
    // presentation as "talvix chart 1A" (InsertChartIntoSlide), unloads the
    // window and writes the completion marker.
    void ExportToPowerPoint(int slideIndex);

  public slots:
    void tmr_SetFocus_Timer();

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void fadeOut();
    void endDisplay();
    void onChartFocused();

    RunContext &ctx_;
    DisplayWindowHooks hooks_;
    ChartCanvas *chart_;
    QPushButton *cmdFocus_;
    QLabel *picture1_;
    QTimer *tmrSetFocus_;
    int tickCount_ = 0;
    int focusClaims_ = 0;
};

} // namespace quiz
