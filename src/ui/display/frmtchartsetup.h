#pragma once

#include "core/display/layouteditor.h"
#include "ui/display/chartcanvas.h"

#include <QRect>
#include <QWidget>

#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

namespace quiz
{

struct RunContext;
struct ChartWindowParts;

// What the layout editor calls around its work, so that tests can watch it:
// the window fade and the background cut (after moves, font changes and when
// the window moves).
struct LayoutEditorHooks {
    std::function<void(QWidget *window, int from, int to, bool show)> fade;
    std::function<void()> grabBackground;
};

// The layout editor: the display's rows over the captured slide, arranged
// with the mouse, the keys and the pop-up menu `menuQuiz`. The decisions are
// the core's (core/display/layouteditor.h); the window forwards its events
// and shows the result. Closing stores the layout into the shared state,
// fades out, runs "EndShowEdit" and shows the set-up screen again.
class FrmTChartSetup : public QWidget
{
    Q_OBJECT
  public:
    // Empty hooks take the program's own (fade with the run's setting, the
    // background cut of the run, the desktop's cursor).
    explicit FrmTChartSetup(RunContext &ctx, LayoutEditorHooks hooks = {}, QWidget *parent = nullptr);

    ChartCanvas *chart() const { return chart_; }
    QMenu *menu() const { return menuQuiz_; }
    ChartWindowParts parts();

    // Shows the window, fading it in (0 to 255).
    void fadeIn();

    // Key handling of the window: key code and shift state (1 Shift, 2 Ctrl, 4 Alt).
    void formKeyDown(int keyCode, int shiftState);

  signals:
    void closed();

  public slots:
    void timerAnnotationMove_Timer();
    void timerRefresh_Timer();
    void menuFont_Click();
    void menuDistribute_Click();
    void menuAlignVertically_Click();
    void menuAlignHorizontally_Click();
    void menuSelectTeams_Click();
    void menuSelectScores_Click();
    void menuDeSelect_Click();
    void menuHelp_Click();

  protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    QAction *addEntry(QMenu *menu, const char *name, const QString &caption, void (FrmTChartSetup::*slot)());
    void chartMouseDown(int button, double x, double y);
    void chartMouseMove(double x, double y);
    void chartMouseUp(double x, double y);
    // Remembers the pointer's screen position at a point of the chart.
    CursorPos cursorAt(double x, double y);
    // Runs a core operation on a copy of the chart's annotations and shows the result.
    void edit(const std::function<void(Annotations &)> &operation);
    std::vector<RectD> boxes() const;
    void grabBackground();
    void storeAndLeave();

    RunContext &ctx_;
    LayoutEditorHooks hooks_;
    ChartCanvas *chart_;
    QPushButton *cmdFocus_;
    QLabel *picture1_;
    QTimer *timerAnnotationMove_;
    QTimer *timerRefresh_;
    QMenu *menuQuiz_;
    QAction *menuAlign_ = nullptr;
    QAction *menuSelectScores_ = nullptr;
    QAction *menuDeSelect_ = nullptr;
    EditorMouse mouse_;
    QRect lastFrame_;
    // The pointer's screen position as the last mouse event on the chart gave
    // it; the chart holds the mouse while a button is down, so a drag sees
    // every movement.
    std::optional<QPoint> cursor_;
    bool closing_ = false;
};

} // namespace quiz
