#include "ui/results/frmresultstable.h"

#include "core/common/runend.h"
#include "core/controller/controllerlink.h"
#include "core/results/resultslayout.h"
#include "core/results/resultstableexport.h"
#include "core/startup/runcontext.h"
#include "ports/eventpump.h"
#include "ui/common/handlerguard.h"
#include "ui/display/displayrun.h"
#include "ui/results/resultsgridmodel.h"

#include <QApplication>

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <chrono>

namespace quiz
{

namespace
{

QTableView *makeGrid(QWidget *page, const char *name, ResultsGridModel *model)
{
    auto *view = new QTableView(page);
    view->setObjectName(name);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->setWordWrap(false);
    return view;
}

QPushButton *makeButton(QWidget *parent, const char *name, const char *caption)
{
    auto *button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    return button;
}

constexpr int buttonWidthTwips = 2000;
constexpr int exportWidthTwips = 12840; // the window's size while the workbook is built
constexpr int exportHeightTwips = 8340;
constexpr int buttonHeightTwips = 420;

} // namespace

frmResultsTable::frmResultsTable(RunContext &ctx, ResultsTableActions actions, QWidget *parent)
    : QWidget(parent), ctx_(ctx), actions_(std::move(actions)), menuBar_(new QMenuBar(this)),
      mnuFile_(menuBar_->addMenu("&File")), tabView_(new QTabWidget(this)),
      keypadModel_(new ResultsGridModel(grids_.keypadResults, this)),
      questionModel_(new ResultsGridModel(grids_.questionResults, this)),
      fullModel_(new ResultsGridModel(grids_.questionFull, this)), Combo_Groups_(nullptr),
      lblLoading_(new QLabel("Please Wait....", this)), tmr_Shutdown_(new QTimer(this)),
      tmrPleaseWait_(new QTimer(this))
{
    setObjectName("frmResultsTable");
    setWindowTitle("Results Tables");
    menuBar_->setObjectName("mnuBar");
    mnuFile_->setObjectName("mnuFile");
    const auto addAction = [this](const char *name, const char *caption) {
        QAction *action = mnuFile_->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    QAction *mnuExport = addAction("mnuExport", "&Export to Excel");
    QAction *mnuInsert = addAction("mnuInsert", "&Insert Graphs in Show");
    mnuFile_->addSeparator()->setObjectName("space1");
    QAction *mnuExit = addAction("mnuExit", "E&xit");

    tabView_->setObjectName("tabView");
    const char *tabs[] = {"Individual Results", "Results by Question", "Results with Text"};
    QWidget *pages[3];
    for (int i = 0; i < 3; ++i) {
        pages[i] = new QWidget;
        tabView_->addTab(pages[i], tabs[i]);
    }
    grdKeypadResults_ = makeGrid(pages[0], "grdKeypadResults", keypadModel_);
    grdQuestionResults_ = makeGrid(pages[1], "grdQuestionResults", questionModel_);
    grdQuestionFull_ = makeGrid(pages[2], "grdQuestionFull", fullModel_);
    grdQuestionFull_->viewport()->installEventFilter(this);
    grdQuestionFull_->horizontalHeader()->viewport()->installEventFilter(this);
    Combo_Groups_ = new QComboBox(pages[2]);
    Combo_Groups_->setObjectName("Combo_Groups");
    Combo_Groups_->setPlaceholderText(GroupChooser::placeholder);
    cmd_AddGroup_ = makeButton(pages[2], "cmd_AddGroup", "Add Group");

    cmdExportToExcel_ = makeButton(this, "cmdExportToExcel", "&Export To Excel");
    cmdInsertCharts_ = makeButton(this, "cmdInsertCharts", "&Insert Graphs in Show");
    cmdExit_ = makeButton(this, "cmdExit", "E&xit");
    lblLoading_->setObjectName("lblLoading");
    lblLoading_->setAlignment(Qt::AlignCenter);
    tmr_Shutdown_->setObjectName("tmr_Shutdown");
    tmr_Shutdown_->setInterval(shutdownIntervalMs);
    tmrPleaseWait_->setObjectName("tmrPleaseWait");
    tmrPleaseWait_->setInterval(pleaseWaitIntervalMs);

    connect(cmdExit_, &QPushButton::clicked, this, guarded([this] { cmdExit_Click(); }));
    connect(cmdExportToExcel_, &QPushButton::clicked, this, guarded([this] { cmdExportToExcel_Click(); }));
    connect(cmdInsertCharts_, &QPushButton::clicked, this, guarded([this] { cmdInsertCharts_Click(); }));
    connect(tmrPleaseWait_, &QTimer::timeout, this, guarded([this] { tmrPleaseWait_Timer(); }));
    connect(mnuExit, &QAction::triggered, cmdExit_, &QPushButton::click);
    connect(mnuExport, &QAction::triggered, cmdExportToExcel_, &QPushButton::click);
    connect(mnuInsert, &QAction::triggered, cmdInsertCharts_, &QPushButton::click);
    connect(cmd_AddGroup_, &QPushButton::clicked, this, guarded([this] { cmd_AddGroup_Click(); }));
    connect(tmr_Shutdown_, &QTimer::timeout, this, guarded([this] {
                tmr_Shutdown_->stop();
                if (actions_.quitQuiz)
                    actions_.quitQuiz();
            }));

    resize(toPixelsX(12840), toPixelsY(8340));
    setResultsVisible(false);
    refreshGroups();
}

frmResultsTable::~frmResultsTable() = default;

int frmResultsTable::toPixelsX(int twips) const
{
    return twips / std::max(ctx_.state.twipsPerPixelX, 1);
}

int frmResultsTable::toPixelsY(int twips) const
{
    return twips / std::max(ctx_.state.twipsPerPixelY, 1);
}

LoadOutcome frmResultsTable::Form_Load(const std::vector<Participant> &names)
{
    ResultsWindowHooks hooks;
    hooks.show = [this] { show(); };
    hooks.caption = [this](const std::string &text) { setCaption(text); };
    hooks.busy = [](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else if (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    };
    hooks.startShutdownTimer = [this] { tmr_Shutdown_->start(); };
    hooks.showResults = [this] {
        keypadModel_->reload();
        questionModel_->reload();
        fullModel_->reload();
        fitColumns();
        refreshGroups();
        setResultsVisible(true);
    };
    return LoadResultsTable(ctx_, names, grids_, questions_, groups_, hooks);
}

void frmResultsTable::setCaption(const std::string &text)
{
    lblLoading_->setText(QString::fromStdString(text));
    // Painted and the events run at most every 15 ms: a caption per slide or
    // per question of a large meeting would otherwise cost more than the build.
    const auto now = std::chrono::steady_clock::now();
    if (now - captionPainted_ < std::chrono::milliseconds(15))
        return;
    captionPainted_ = now;
    lblLoading_->repaint();
    if (ctx_.pump) {
        ctx_.pump->processEvents();
        rethrowLatchedRunEnd();
    }
}

void frmResultsTable::setResultsVisible(bool visible)
{
    tabView_->setVisible(visible);
    for (QWidget *w : {static_cast<QWidget *>(cmdExportToExcel_), static_cast<QWidget *>(cmdInsertCharts_),
                       static_cast<QWidget *>(cmdExit_)})
        w->setVisible(visible);
    mnuFile_->menuAction()->setVisible(visible);
    lblLoading_->setVisible(!visible);
}

void frmResultsTable::fitColumns()
{
    const std::pair<QTableView *, const ResultsGrid *> views[] = {
        {grdKeypadResults_, &grids_.keypadResults},
        {grdQuestionResults_, &grids_.questionResults},
        {grdQuestionFull_, &grids_.questionFull}};
    for (const auto &[view, grid] : views) {
        for (int c = 0; c < grid->cols(); ++c)
            view->horizontalHeader()->resizeSection(c, toPixelsX(grid->colWidth(c)));
        if (grid->rows() > 0)
            view->horizontalHeader()->setMinimumHeight(toPixelsY(grid->rowHeight(0)));
        if (grid->rows() > 1)
            view->verticalHeader()->setDefaultSectionSize(toPixelsY(grid->rowHeight(1)) + 4);
    }
}

void frmResultsTable::refreshGroups()
{
    Combo_Groups_->clear();
    for (const std::string &name : groups_.entries)
        Combo_Groups_->addItem(QString::fromStdString(name));
    Combo_Groups_->setCurrentIndex(-1);
    Combo_Groups_->setEnabled(groups_.enabled);
    cmd_AddGroup_->setEnabled(groups_.enabled);
}

void frmResultsTable::cmd_AddGroup_Click()
{
    if (!ctx_.dialogs)
        return;
    const std::string chosen = Combo_Groups_->currentIndex() < 0 ? GroupChooser::placeholder
                                                                 : Combo_Groups_->currentText().toStdString();
    if (groups_.addGroup(grids_, ctx_.state.dataFolder, chosen, *ctx_.dialogs)) {
        fullModel_->reload();
        fitColumns();
    }
    refreshGroups();
}

void frmResultsTable::grdQuestionFull_MouseDown(Qt::MouseButton button, int column)
{
    if (button != Qt::RightButton || !ctx_.dialogs)
        return;
    if (groups_.removeGroupColumn(grids_, column, *ctx_.dialogs)) {
        fullModel_->reload();
        fitColumns();
        refreshGroups();
    }
}

bool frmResultsTable::eventFilter(QObject *watched, QEvent *event)
{
    return guardRunEnd(true, [&]() -> bool {
        if (event->type() == QEvent::MouseButtonPress) {
            auto *mouse = static_cast<QMouseEvent *>(event);
            const int x = static_cast<int>(mouse->position().x());
            const int column = watched == grdQuestionFull_->viewport()
                                   ? grdQuestionFull_->columnAt(x)
                                   : grdQuestionFull_->horizontalHeader()->logicalIndexAt(x);
            if (column >= 0)
                grdQuestionFull_MouseDown(mouse->button(), column);
        }
        return QWidget::eventFilter(watched, event);
    });
}

std::vector<std::string> frmResultsTable::saveTabPictures(const std::string &folder)
{
    std::vector<std::string> written;
    for (int i = 0; i < tabView_->count(); ++i) {
        tabView_->setCurrentIndex(i);
        const std::string path = folder + "/ResultsTable-" + std::to_string(i + 1) + ".png";
        if (saveWindowPicture(this, path))
            written.push_back(path);
    }
    tabView_->setCurrentIndex(0);
    return written;
}

void frmResultsTable::cmdExit_Click()
{
    close();
}

bool frmResultsTable::cmdExportToExcel_Click()
{
    setCaption(kBuildingWorkbookCaption);
    ResultsExportHooks hooks;
    hooks.prepareWindow = [this] { prepareForExport(); };
    hooks.restoreWindow = [this] { restoreAfterExport(); };
    auto last = std::chrono::steady_clock::now();
    hooks.yield = [this, &last] {
        // Often enough for the waiting caption, seldom enough not to slow the rows.
        const auto now = std::chrono::steady_clock::now();
        if (ctx_.pump && now - last >= std::chrono::milliseconds(15)) {
            last = now;
            ctx_.pump->processEvents();
        }
    };
    if (!ctx_.workbooks)
        return false; // the run wires its workbook writer (platformservices)
    std::string written;
    const ResultsExportOutcome outcome =
        exportResultsWorkbook(grids_, ctx_.state.dataFolder, *ctx_.dialogs, *ctx_.workbooks, hooks, &written);
    if (outcome != ResultsExportOutcome::Written)
        return false;
    tmrPleaseWait_->stop();
    QApplication::restoreOverrideCursor();
    if (actions_.openWorkbook)
        actions_.openWorkbook(written);
    close();
    return true;
}

void frmResultsTable::prepareForExport()
{
    pleaseWaitCounter_ = 0;
    tmrPleaseWait_->start();
    tabView_->hide();
    cmdExportToExcel_->hide();
    cmdInsertCharts_->hide();
    cmdExit_->hide();
    mnuFile_->menuAction()->setVisible(false);
    lblLoading_->show();
    lblLoading_->raise();
    resize(toPixelsX(exportWidthTwips), toPixelsY(exportHeightTwips));
    repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void frmResultsTable::restoreAfterExport()
{
    tmrPleaseWait_->stop();
    QApplication::restoreOverrideCursor();
    setResultsVisible(true);
}

void frmResultsTable::tmrPleaseWait_Timer()
{
    lblLoading_->setText(
        QString::fromStdString(pleaseWaitTick(lblLoading_->text().toStdString(), pleaseWaitCounter_)));
}

void frmResultsTable::cmdInsertCharts_Click()
{
    if (ctx_.link)
        ctx_.link->SendCommandtoController("InsertCharts");
    close();
}

void frmResultsTable::closeEvent(QCloseEvent *event)
{
    guardRunEnd([&] {
        event->accept();
        if (!unloading_ && actions_.unload) {
            unloading_ = true;
            actions_.unload();
        }
    });
}

void frmResultsTable::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmResultsTable::Form_Resize()
{
    const int tx = std::max(ctx_.state.twipsPerPixelX, 1);
    const int ty = std::max(ctx_.state.twipsPerPixelY, 1);
    const int top = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), top);
    const int w = width() * tx;
    const int h = (height() - top) * ty;
    const ResultsLayout l = resultsWindowLayout(w, h);
    const auto apply = [](QWidget *widget, std::optional<int> wPx, std::optional<int> hPx) {
        widget->resize(wPx.value_or(widget->width()), hPx.value_or(widget->height()));
    };
    const auto px = [tx](std::optional<int> twips, int per) {
        return twips ? std::optional<int>(*twips / per) : std::nullopt;
    };
    tabView_->move(toPixelsX(60), top);
    apply(tabView_, px(l.tabWidth, tx), px(l.tabHeight, ty));
    grdKeypadResults_->move(toPixelsX(120), toPixelsY(120));
    apply(grdKeypadResults_, px(l.keypadWidth, tx), px(l.keypadHeight, ty));
    grdQuestionResults_->move(toPixelsX(120), toPixelsY(120));
    apply(grdQuestionResults_, px(l.questionWidth, tx), px(l.questionHeight, ty));
    Combo_Groups_->setGeometry(toPixelsX(120), toPixelsY(60), toPixelsX(3000), toPixelsY(330));
    cmd_AddGroup_->setGeometry(toPixelsX(3240), toPixelsY(60), toPixelsX(1400), toPixelsY(330));
    grdQuestionFull_->move(toPixelsX(120), toPixelsY(470));
    apply(grdQuestionFull_, px(l.fullWidth, tx), px(l.fullHeight, ty));
    const int buttonTop = top + tabView_->height() + toPixelsY(100);
    for (const auto &[button, left] :
         {std::pair{cmdExportToExcel_, l.exportLeft}, std::pair{cmdInsertCharts_, l.insertLeft},
          std::pair{cmdExit_, l.exitLeft}})
        button->setGeometry(toPixelsX(left), buttonTop, toPixelsX(buttonWidthTwips),
                            toPixelsY(buttonHeightTwips));
    lblLoading_->setGeometry(0, top, width(), height() - top);
}

} // namespace quiz
