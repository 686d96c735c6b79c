#include "ui/setup/quizwizard.h"

#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/quiz/quizfile.h"
#include "core/setup/placingfields.h"
#include "core/setup/votesource.h"
#include "core/run/endofrun.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "core/presentationlink/presentationlink.h"
#include "ports/dialogs.h"
#include "ports/eventpump.h"
#include "ports/presentationhost.h"
#include "ui/common/handlerguard.h"
#include "ui/display/backgroundgrabber.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace quiz
{

namespace
{

// A field loses the focus to another control, not when its window is
// deactivated (a message box, another program).
bool leftForAnotherControl(QEvent *event)
{
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

template <typename T> T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QString bgrStyle(std::uint32_t bgr)
{
    return QString("background-color: rgb(%1, %2, %3);")
        .arg(bgr & 0xFF)
        .arg((bgr >> 8) & 0xFF)
        .arg((bgr >> 16) & 0xFF);
}

// How long "Set display" waits for the add-in's slide show to appear.
constexpr int kShowWaitLimitMs = 10000;

} // namespace

QuizWizard::QuizWizard(RunContext &ctx, SetupWindowHooks hooks, QWidget *parent)
    : QWidget(parent), ctx_(ctx), hooks_(std::move(hooks))
{
    setObjectName("QuizWizard");
    setWindowTitle("Quiz Wizard");
    build();
    tmrMakeMeTop_ = new QTimer(this);
    tmrMakeMeTop_->setObjectName("tmr_MakeMeTop");
    tmrMakeMeTop_->setInterval(200);
    connect(tmrMakeMeTop_, &QTimer::timeout, this, guarded(this, &QuizWizard::tmr_MakeMeTop_Timer));
    tmrMakeMeTop_->start();
}

void QuizWizard::build()
{
    auto *layout = new QVBoxLayout(this);
    master_ = named(new QTabWidget, "SSTab_Master");
    master_->addTab(buildVotesTab(), "Add Questions");
    master_->addTab(buildOptionsTab(), "Options");
    layout->addWidget(master_);

    auto *bottom = new QHBoxLayout;
    const char *captions[5] = {"&Save and Go", "&Cancel", "&Next", "&Previous", "Start &Again"};
    for (int i = 0; i < 5; ++i) {
        cmdMain_[size_t(i)] = named(new QPushButton(captions[i]), arrayName("cmd_main", i));
        bottom->addWidget(cmdMain_[size_t(i)]);
    }
    layout->addLayout(bottom);
    connect(cmdMain_[0], &QPushButton::clicked, this, guarded(this, &QuizWizard::SaveAndGo_Click));
    connect(cmdMain_[1], &QPushButton::clicked, this, guarded(this, &QuizWizard::Cancel_Click));
    connect(cmdMain_[2], &QPushButton::clicked, this, guarded(this, &QuizWizard::Next_Click));
    connect(cmdMain_[3], &QPushButton::clicked, this, guarded(this, &QuizWizard::Previous_Click));
    connect(cmdMain_[4], &QPushButton::clicked, this, guarded(this, &QuizWizard::StartAgain_Click));
    connect(master_, &QTabWidget::currentChanged, this, guarded(this, &QuizWizard::SSTab_Master_Click));
    connect(display_, &QTabWidget::currentChanged, this, guarded(this, &QuizWizard::SSTab_display_Click));
    SSTab_Master_Click();
}

void QuizWizard::Form_Load()
{
    CheckFinished();
    presentationFolder_ = presentationFolder(ctx_);
    for (const auto &vote : WizardVotes(ctx_, listItems(votesIn_)))
        avail_->addItem(QString::fromStdString(vote));
    master_->setCurrentIndex(0);
}

// ------------------------------------------------------------ the set-up file

void QuizWizard::addToQuizList(const std::string &name)
{
    votesIn_->addItem(QString::fromStdString(name));
}

std::vector<std::string> QuizWizard::quizList() const
{
    return listItems(votesIn_);
}

void QuizWizard::removeFromAvailableList(const std::string &name)
{
    for (int i = avail_->count() - 1; i >= 0; --i)
        if (iequals(avail_->item(i)->text().toStdString(), name))
            delete avail_->takeItem(i);
}

void QuizWizard::setShowScoresCheckBox(int value)
{
    showScores_->setChecked(value == 1);
}

int QuizWizard::showScoresCheckBox() const
{
    return showScores_->isChecked() ? 1 : 0;
}

void QuizWizard::setDisplayCountBox(const std::string &text)
{
    numKeypads_->setText(QString::fromStdString(text));
}

// ------------------------------------------------------------ the vote lists

void QuizWizard::addName()
{
    VoteList from = listItems(avail_), to = listItems(votesIn_);
    if (!moveVote(from, to, avail_->currentRow()))
        return;
    setListItems(avail_, from);
    setListItems(votesIn_, to);
    CheckFinished();
}

void QuizWizard::removeName()
{
    const int row = votesIn_->currentRow();
    VoteList from = listItems(votesIn_), to = listItems(avail_);
    if (!moveVote(from, to, row))
        return;
    setListItems(votesIn_, from);
    setListItems(avail_, to);
    const int next = rowAfterRemoval(row, votesIn_->count());
    if (next >= 0)
        votesIn_->setCurrentRow(next);
    CheckFinished();
}

void QuizWizard::cmd_addall_Click()
{
    VoteList from = listItems(avail_), to = listItems(votesIn_);
    moveAllVotes(from, to);
    setListItems(avail_, from);
    setListItems(votesIn_, to);
    CheckFinished();
}

void QuizWizard::cmd_removeall_Click()
{
    VoteList from = listItems(votesIn_), to = listItems(avail_);
    moveAllVotes(from, to);
    setListItems(votesIn_, from);
    setListItems(avail_, to);
    CheckFinished();
}

void QuizWizard::refreshListButtons()
{
    cmdAdd_->setEnabled(!avail_->selectedItems().isEmpty());
    cmdRemove_->setEnabled(!votesIn_->selectedItems().isEmpty());
}

// ------------------------------------------------------------ readiness and tabs

Readiness QuizWizard::CheckFinished()
{
    const Readiness r = quiz::CheckFinished(displaySet_, votesIn_->count() > 0);
    QPushButton *main = cmdMain_[0];
    main->setToolTip(QString::fromStdString(r.toolTip));
    main->setEnabled(true);
    main->setStyleSheet(bgrStyle(r.colour));
    main->setText(QString::fromStdString(r.caption));
    return r;
}

void QuizWizard::refreshDisplaySetLabels()
{
    lblResultSet_[0]->setVisible(!displaySet_);
    lblResultSet_[1]->setVisible(displaySet_);
    cmdSetDisplay_->setText(displaySet_ ? "Change Display Settings" : "Set Display Settings");
}

void QuizWizard::SSTab_Master_Click()
{
    if (master_->currentIndex() == 0) {
        cmdMain_[3]->setEnabled(false);
        cmdMain_[2]->setEnabled(true);
        return;
    }
    cmdMain_[3]->setEnabled(true);
    cmdMain_[2]->setEnabled(true);
    if (display_->currentIndex() != 0)
        display_->setCurrentIndex(0); // refreshes the labels through its own click
    else
        refreshDisplaySetLabels();
}

void QuizWizard::SSTab_display_Click()
{
    if (display_->currentIndex() == 0)
        refreshDisplaySetLabels();
    cmdMain_[2]->setEnabled(display_->currentIndex() == 0);
}

// The wizard has two master tabs: "Next" on the options steps to the slide
// options, "Previous" goes back to the questions.
void QuizWizard::Next_Click()
{
    if (master_->currentIndex() == 0)
        master_->setCurrentIndex(1);
    else if (display_->currentIndex() == 0)
        display_->setCurrentIndex(1);
}

void QuizWizard::Previous_Click()
{
    if (master_->currentIndex() == 1)
        master_->setCurrentIndex(0);
}

// ------------------------------------------------------------ the places box

int QuizWizard::placesBoxValue() const
{
    return leadingInt(numKeypads_->text().toStdString());
}

void QuizWizard::txt_numkeypads_MouseDown()
{
    ctx_.state.displayCount = placesBoxValue();
    numKeypads_->clear();
}

void QuizWizard::txt_numkeypads_LostFocus()
{
    numKeypads_->setText(QString::fromStdString(placesBoxLeft(numKeypads_->text().toStdString())));
    if (placesBoxValue() != ctx_.state.displayCount)
        displaySet_ = false;
    CheckFinished();
}

bool QuizWizard::eventFilter(QObject *watched, QEvent *event)
{
    return guardRunEnd(true, [&]() -> bool {
        if (watched == numKeypads_) {
            if (event->type() == QEvent::MouseButtonPress)
                txt_numkeypads_MouseDown();
            else if (event->type() == QEvent::FocusOut && leftForAnotherControl(event))
                txt_numkeypads_LostFocus();
        }
        return QWidget::eventFilter(watched, event);
    });
}

void QuizWizard::tmr_MakeMeTop_Timer()
{
    tmrMakeMeTop_->stop();
    if (ctx_.windows && isVisible())
        if (const WindowHandle own = ctx_.windows->ownWindowHandle(this))
            ctx_.windows->raiseWindow(own);
}

// ------------------------------------------------------------ set display, save, leave

void QuizWizard::cmd_setdisplay_Click()
{
    guardedClick(ctx_, [this] {
        QuizState &s = ctx_.state;
        const int count = placesBoxValue();
        if (count != s.displayCount) {
            s.displayCount = count;
            ResetDisplayPositions(s);
        }
        for (size_t i = 0; i < 2; ++i)
            s.textToAdd[i] = addText_[i]->text().toStdString();
        if (ctx_.windows) {
            CollectPowerPointWindows(ctx_);
            for (const WindowHandle show : s.showWindows)
                if (show != 0)
                    ctx_.windows->closeWindow(show);
        }
        if (quizSlide_ == 0)
            quizSlide_ = ctx_.host->selectedSlideIndex() + 1;
        // Out of the editor's way while it is up, as the set-up form.
        const bool shown = isVisible();
        hide();
        ctx_.host->runMacro("StartShowEdit", {std::to_string(quizSlide_)});
        const std::string showPattern = ctx_.host->titlePatterns().showWindow;
        const long long until = ctx_.pump->nowMs() + kShowWaitLimitMs;
        while (ctx_.windows && !WindowExists(ctx_, showPattern) && ctx_.pump->nowMs() < until)
            ctx_.pump->waitMs(20);
        CaptureSlideShow(ctx_);
        s.setupForm = SetupFormKind::QuizWizard;
        runLayoutEditor(ctx_, hooks_);
        if (shown)
            show();
        displaySet_ = true;
        refreshDisplaySetLabels();
        CheckFinished();
    });
}

void QuizWizard::SaveAndGo_Click()
{
    guardedClick(ctx_, [this] {
        const std::string toolTip = cmdMain_[0]->toolTip().toStdString();
        if (!toolTip.empty()) {
            ctx_.dialogs->message(notReadyMessage(toolTip), "talvixwizard", MessageIcon::Information);
            return;
        }
        QuizState &s = ctx_.state;
        if (ctx_.windows)
            ClearClipboard(ctx_);
        QuizSaveRequest request;
        request.dataFolder = s.dataFolder;
        request.presentationFolder = presentationFolder_.empty() ? s.dataFolder : presentationFolder_;
        request.presetName = s.quizFileName;
        request.askForCurrentFile = true;
        const auto path = ChooseQuizFilePath(request, *ctx_.dialogs, quizFileAsker(ctx_, hooks_, this));
        if (!path)
            return;
        s.onFinishChoice = onFinish_[0]->isChecked() ? 0 : 1;
        for (size_t i = 0; i < 2; ++i)
            s.textToAdd[i] = addText_[i]->text().toStdString();
        if (!WriteQuizSetup(s, *path, *this, *ctx_.dialogs))
            return;
        s.quizFileName = FileNamePart(*path);
        // The quiz goes on the slide being worked on; it takes the title
        // typed here (an empty box leaves the slide's title alone).
        const std::string title = slideTitle_->text().toStdString();
        if (!title.empty())
            ctx_.host->setSlideTitle(ctx_.host->selectedSlideIndex(), title);
        ctx_.host->runMacro("addVoteToSlide", {s.quizFileName});
        unload();
    });
}

void QuizWizard::Cancel_Click()
{
    // The presentation is left as it is, whether or not a quiz slide was recorded.
    unload();
}

void QuizWizard::StartAgain_Click()
{
    master_->setCurrentIndex(0);
    cmd_removeall_Click();
    displaySet_ = false;
    numKeypads_->setText("5");
    showScores_->setChecked(false);
    checkAutoStart_->setChecked(ctx_.state.autoStart);
    onFinish_[1]->setChecked(true);
    CheckFinished();
}

void QuizWizard::unload()
{
    try {
        SendToController(ctx_, "EndWizard");
    } catch (const RunEnded &) {
        throw;
    } catch (...) {
    }
    EndSetupRun(ctx_);
}

void QuizWizard::closeEvent(QCloseEvent *event)
{
    guardRunEnd([&] {
        event->ignore();
        unload();
    });
}

} // namespace quiz
