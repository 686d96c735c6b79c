#pragma once

#include "core/results/groups.h"
#include "core/results/questiontable.h"
#include "core/results/resultsgrid.h"
#include "core/results/resultstableload.h"

#include <QWidget>

#include <chrono>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;

namespace quiz
{

struct RunContext;
class ResultsGridModel;

// What closing the window and its shutdown do in the program; tests record them.
struct ResultsTableActions {
    std::function<void()> unload;   // Form_Unload: the presentation program back, the run ends
    std::function<void()> quitQuiz; // tmr_Shutdown: the common end of a run
    std::function<void(const std::string &)> openWorkbook; // the written workbook, on the desktop
};

// "Results Tables": the three results grids on tabs, the groups of the
// results with text, and the buttons and File menu.
class frmResultsTable : public QWidget
{
    Q_OBJECT
  public:
    static constexpr int shutdownIntervalMs = 1500;
    static constexpr int pleaseWaitIntervalMs = 300;

    frmResultsTable(RunContext &ctx, ResultsTableActions actions, QWidget *parent = nullptr);
    ~frmResultsTable() override;

    // Builds the grids with the participants' names the run was handed (the
    // window shows itself while building).
    LoadOutcome Form_Load(const std::vector<Participant> &names);

    void cmdExit_Click();
    // The results workbook; true when it was written (the window then unloads).
    bool cmdExportToExcel_Click();
    // "InsertCharts" to the controller, then the window unloads.
    void cmdInsertCharts_Click();
    void tmrPleaseWait_Timer();
    void cmd_AddGroup_Click();
    // A mouse button pressed over a column of the results with text.
    void grdQuestionFull_MouseDown(Qt::MouseButton button, int column);
    void Form_Resize();
    // Writes a picture of each tab, ResultsTable-1.png .. -3.png, into the
    // folder (a run without a screen leaves them); returns the paths written.
    std::vector<std::string> saveTabPictures(const std::string &folder);

    const ResultsGrids &grids() const { return grids_; }
    const GroupChooser &groups() const { return groups_; }

  protected:
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void prepareForExport();
    void restoreAfterExport();
    void setCaption(const std::string &text);
    void setResultsVisible(bool visible);
    void refreshGroups();
    void fitColumns();
    int toPixelsX(int twips) const;
    int toPixelsY(int twips) const;

    RunContext &ctx_;
    ResultsTableActions actions_;
    ResultsGrids grids_;
    std::vector<QuestionInfo> questions_;
    GroupChooser groups_;
    bool unloading_ = false;
    std::int16_t pleaseWaitCounter_ = 0;
    std::chrono::steady_clock::time_point captionPainted_{};

    QMenuBar *menuBar_;
    QMenu *mnuFile_;
    QTabWidget *tabView_;
    QTableView *grdKeypadResults_, *grdQuestionResults_, *grdQuestionFull_;
    ResultsGridModel *keypadModel_, *questionModel_, *fullModel_;
    QComboBox *Combo_Groups_;
    QPushButton *cmd_AddGroup_, *cmdExportToExcel_, *cmdInsertCharts_, *cmdExit_;
    QLabel *lblLoading_;
    QTimer *tmr_Shutdown_, *tmrPleaseWait_;
};

} // namespace quiz
