#include "ui/setup/quizwizard.h"

#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/presentationlink/presentationlink.h"
#include "core/run/endofrun.h"
#include "core/setup/placingfields.h"
#include "core/setup/votesource.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "ports/dialogs.h"
#include "ports/eventpump.h"
#include "ports/presentationhost.h"
#include "ui/common/handlerguard.h"
#include "ui/display/backgroundgrabber.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdio>

namespace quiz
{

namespace
{

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
    : SetupWindow(ctx, std::move(hooks), parent)
{
    setObjectName("QuizWizard");
    setWindowTitle("Quiz Wizard");
    build();
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
    linkSharedControls();
    SSTab_Master_Click();
}

QWidget *QuizWizard::buildVotesTab()
{
    auto *frame2 = named(new QGroupBox("Votes"), "Frame2");
    auto *grid = new QGridLayout(frame2);
    available_ = named(new QListWidget, "lst_AvailVotes");
    quizList_ = named(new QListWidget, "lst_VotesIn");
    available_->setToolTip("Double click to add a vote to the votes in quiz");
    quizList_->setToolTip("Double click to remove a vote from the votes in quiz");
    cmdAdd_ = named(new QPushButton("Add"), "cmd_Add");
    cmdRemove_ = named(new QPushButton("Remove"), "cmd_remove");
    cmdAddAll_ = named(new QPushButton("Add All"), "cmd_addall");
    cmdRemoveAll_ = named(new QPushButton("Remove All"), "cmd_removeall");
    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {cmdAdd_, cmdRemove_, cmdAddAll_, cmdRemoveAll_})
        buttons->addWidget(b);
    buttons->addStretch();
    grid->addWidget(new QLabel("Votes available"), 0, 0);
    grid->addWidget(new QLabel("Votes in quiz"), 0, 2);
    grid->addWidget(available_, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(quizList_, 1, 2);

    connect(cmdAdd_, &QPushButton::clicked, this, guarded(this, &QuizWizard::addName));
    connect(cmdRemove_, &QPushButton::clicked, this, guarded(this, &QuizWizard::removeName));
    connect(cmdAddAll_, &QPushButton::clicked, this, guarded(this, &QuizWizard::cmd_addall_Click));
    connect(cmdRemoveAll_, &QPushButton::clicked, this, guarded(this, &QuizWizard::cmd_removeall_Click));
    connect(available_, &QListWidget::itemDoubleClicked, this, guarded(this, &QuizWizard::addName));
    connect(quizList_, &QListWidget::itemDoubleClicked, this, guarded(this, &QuizWizard::removeName));
    connect(available_, &QListWidget::itemSelectionChanged, this,
            guarded(this, &QuizWizard::refreshListButtons));
    connect(quizList_, &QListWidget::itemSelectionChanged, this,
            guarded(this, &QuizWizard::refreshListButtons));
    refreshListButtons();
    return frame2;
}

QWidget *QuizWizard::buildOptionsTab()
{
    display_ = named(new QTabWidget, "SSTab_display");

    auto *displayOptions = new QWidget;
    auto *displayLayout = new QVBoxLayout(displayOptions);
    auto *frame3 = named(new QGroupBox("Display Settings"), "Frame3");
    auto *settings = new QGridLayout(frame3);
    cmdSetDisplay_ = named(new QPushButton("Set display"), arrayName("cmd_setdisplay", 0));
    lblResultSet_[0] = named(new QLabel("Display has not yet been set"), arrayName("lbl_resultset", 0));
    lblResultSet_[1] = named(new QLabel("Display set"), arrayName("lbl_resultset", 1));
    slideTitle_ = named(new QLineEdit, "txt_slidetitle");
    settings->addWidget(cmdSetDisplay_, 0, 0);
    settings->addWidget(lblResultSet_[0], 0, 1);
    settings->addWidget(lblResultSet_[1], 0, 2);
    settings->addWidget(named(new QLabel("Set Slide Title"), "Label4"), 1, 0);
    settings->addWidget(slideTitle_, 1, 1, 1, 2);
    displayLayout->addWidget(frame3);
    connect(cmdSetDisplay_, &QPushButton::clicked, this, guarded(this, &QuizWizard::cmd_setdisplay_Click));

    auto *frame1 = named(new QGroupBox("Display"), "Frame1");
    auto *grid = new QGridLayout(frame1);
    numKeypads_ = named(new QLineEdit("5"), "txt_numkeypads");
    numKeypads_->installEventFilter(this);
    connect(numKeypads_, &QLineEdit::textChanged, this, guarded([this](const QString &text) {
                const std::string clean = cleanPlacingText(text.toStdString());
                if (clean != text.toStdString())
                    numKeypads_->setText(QString::fromStdString(clean));
            }));
    auto *places = new QHBoxLayout;
    places->addWidget(named(new QLabel("Display the top"), "Label3"));
    places->addWidget(numKeypads_);
    places->addWidget(named(new QLabel("keypads"), "Label6"));
    grid->addLayout(places, 0, 0, 1, 2);
    const char *labels[2][2] = {{"Label7", "Add text before score"}, {"Label8", "Add text after score"}};
    for (int i = 0; i < 2; ++i) {
        addText_[size_t(i)] = named(new QLineEdit, arrayName("txt_addtext", i));
        grid->addWidget(named(new QLabel(labels[i][1]), labels[i][0]), 1 + i, 0);
        grid->addWidget(addText_[size_t(i)], 1 + i, 1);
    }
    showScores_ = named(new QCheckBox("Show scores"), "showScoresCheckBox");
    useWeightings_ = named(new QCheckBox("Show weighted scores"), "chkUseWeightings");
    grid->addWidget(showScores_, 3, 0);
    grid->addWidget(useWeightings_, 3, 1);
    displayLayout->addWidget(frame1);
    display_->addTab(displayOptions, "Display Options");

    auto *slideOptions = new QWidget;
    auto *slideLayout = new QVBoxLayout(slideOptions);
    slideLayout->addWidget(makeOnFinishGroup());
    slideLayout->addWidget(makeAutostartGroup());
    display_->addTab(slideOptions, "Slide Options");
    return display_;
}

void QuizWizard::Form_Load()
{
    CheckFinished();
    presentationFolder_ = presentationFolder(ctx_);
    for (const auto &vote : WizardVotes(ctx_, listItems(quizList_)))
        available_->addItem(QString::fromStdString(vote));
    master_->setCurrentIndex(0);
}

// ------------------------------------------------------------ the set-up file

void QuizWizard::showPlaces(const QuizSetup &setup)
{
    numKeypads_->setText(QString::number(setup.displayCount));
}

// ------------------------------------------------------------ the vote lists

void QuizWizard::addName()
{
    if (moveCurrentVote(available_, quizList_))
        CheckFinished();
}

void QuizWizard::removeName()
{
    const int row = quizList_->currentRow();
    if (!moveCurrentVote(quizList_, available_))
        return;
    const int next = rowAfterRemoval(row, quizList_->count());
    if (next >= 0)
        quizList_->setCurrentRow(next);
    CheckFinished();
}

void QuizWizard::cmd_addall_Click()
{
    moveAllVotes(available_, quizList_);
    CheckFinished();
}

void QuizWizard::cmd_removeall_Click()
{
    moveAllVotes(quizList_, available_);
    CheckFinished();
}

void QuizWizard::refreshListButtons()
{
    cmdAdd_->setEnabled(!available_->selectedItems().isEmpty());
    cmdRemove_->setEnabled(!quizList_->selectedItems().isEmpty());
}

// ------------------------------------------------------------ readiness and tabs

Readiness QuizWizard::CheckFinished()
{
    const Readiness r = quiz::CheckFinished(displaySet_, quizList_->count() > 0);
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
        s.onFinishChoice = onFinish_[0]->isChecked() ? 0 : 1;
        if (!saveSetup(request))
            return;
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
