#include "ui/setup/quizform.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/presentationlink/presentationlink.h"
#include "core/setup/placingfields.h"
#include "core/setup/setupoptions.h"
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

namespace quiz
{

namespace
{

// Mouse over a move button while its list has a selection (blue, &HFF0000).
const char *kHoverStyle = "background-color: #0000ff;";

} // namespace

QuizForm::QuizForm(RunContext &ctx, SetupWindowHooks hooks, QWidget *parent)
    : SetupWindow(ctx, std::move(hooks), parent)
{
    setObjectName("QuizForm");
    setWindowTitle("Quiz setup - display of highest scoring individual keypads");
    build();
}

void QuizForm::build()
{
    auto *layout = new QVBoxLayout(this);
    auto *title = new QHBoxLayout;
    lblTitle_ = named(new QLabel("Quiz Name:"), "lblTitle");
    lblQuizName_ = named(new QLabel, "lblQuizName");
    title->addWidget(lblTitle_);
    title->addWidget(lblQuizName_, 1);
    layout->addLayout(title);

    sstab1_ = named(new QTabWidget, "SSTab1");
    layout->addWidget(sstab1_);
    sstab1_->addTab(buildVotesTab(), "Quiz setup");
    sstab1_->addTab(buildLiveTab(), "Live display");

    auto *bottom = new QHBoxLayout;
    const char *captions[3] = {"Set &display", "&OK", "C&ancel"};
    for (int i = 0; i < 3; ++i) {
        command2_[size_t(i)] = named(new QPushButton(captions[i]), arrayName("Command2", i));
        bottom->addWidget(command2_[size_t(i)]);
    }
    layout->addLayout(bottom);
    connect(command2_[0], &QPushButton::clicked, this, guarded(this, &QuizForm::SetDisplay_Click));
    connect(command2_[1], &QPushButton::clicked, this, guarded(this, &QuizForm::OK_Click));
    connect(command2_[2], &QPushButton::clicked, this, guarded(this, &QuizForm::Cancel_Click));

    // The controls start from the run's set-up values.
    linkSharedControls();
    onlyMax_->setChecked(ctx_.state.showOnlyMaxScorers);
    useWeightings_->setEnabled(ctx_.state.showScores == 1);
    connect(onlyMax_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.showOnlyMaxScorers = on; }));
    connect(showScores_, &QCheckBox::toggled, this,
            guarded([this](bool on) { useWeightings_->setEnabled(on); }));
    connect(numberOfMax_, &QCheckBox::toggled, this,
            guarded(this, &QuizForm::chk_ShowNumberOfMaxScorers_Click));
    for (QLineEdit *field : {startFrom_, text1_}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, guarded([this, field] { onPlacingChanged(field); }));
    }
}

// Tab "Quiz setup": the two vote lists and the move buttons.
QWidget *QuizForm::buildVotesTab()
{
    auto *frame2 = named(new QGroupBox, "Frame2");
    auto *votes = new QGridLayout(frame2);
    available_ = named(new QListWidget, "List1");
    quizList_ = named(new QListWidget, "List2");
    for (QListWidget *list : {available_, quizList_}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setMouseTracking(true);
        list->installEventFilter(this);
    }
    available_->setToolTip("Double click to add a vote to the votes in quiz");
    quizList_->setToolTip("Double click to remove a vote from the votes in quiz");
    command1_[0] = named(new QPushButton(">>"), arrayName("Command1", 0));
    command1_[1] = named(new QPushButton("<<"), arrayName("Command1", 1));
    command1_[0]->setToolTip("Click to add a vote to the votes in quiz");
    command1_[1]->setToolTip("Click to remove a vote from the votes in quiz");
    auto *buttons = new QVBoxLayout;
    buttons->addStretch();
    for (int i = 0; i < 2; ++i) {
        command1_[size_t(i)]->installEventFilter(this);
        buttons->addWidget(command1_[size_t(i)]);
        connect(command1_[size_t(i)], &QPushButton::clicked, this, guarded([this, i] { Command1_Click(i); }));
    }
    buttons->addStretch();
    votes->addWidget(named(new QLabel("Votes available"), "Label1"), 0, 0);
    votes->addWidget(named(new QLabel("Votes in quiz"), "Label2"), 0, 2);
    votes->addWidget(available_, 1, 0);
    votes->addLayout(buttons, 1, 1);
    votes->addWidget(quizList_, 1, 2);
    connect(available_, &QListWidget::itemDoubleClicked, this, guarded(this, &QuizForm::List1_DblClick));
    connect(quizList_, &QListWidget::itemDoubleClicked, this, guarded(this, &QuizForm::List2_DblClick));
    return frame2;
}

// Tab "Live display": the places, the score texts and options, on finishing, autostart.
QWidget *QuizForm::buildLiveTab()
{
    auto *live = new QWidget;
    auto *liveLayout = new QVBoxLayout(live);
    auto *frame1 = named(new QGroupBox("Display"), "Frame1");
    auto *display = new QGridLayout(frame1);
    label3_ = named(new QLabel("Display keypads placed"), "Label3");
    label4_ = named(new QLabel("to"), "Label4");
    startFrom_ = named(new QLineEdit("1"), "txt_KeypadsStartFrom");
    text1_ = named(new QLineEdit("5"), "Text1");
    auto *placing = new QHBoxLayout;
    placing->addWidget(label3_);
    placing->addWidget(startFrom_);
    placing->addWidget(label4_);
    placing->addWidget(text1_);
    display->addLayout(placing, 0, 0, 1, 2);
    const char *addTextLabels[2] = {"Add text before score", "Add text after score"};
    for (int i = 0; i < 2; ++i) {
        addText_[size_t(i)] = named(new QLineEdit, arrayName("txt_addtext", i));
        display->addWidget(named(new QLabel(addTextLabels[i]), i == 0 ? "Label6" : "Label7"), 1 + i, 0);
        display->addWidget(addText_[size_t(i)], 1 + i, 1);
    }
    showScores_ = named(new QCheckBox("Show scores"), "showScoresCheckBox");
    showScores_->setToolTip(
        "Select this check box if you would like to display the scores as well as the keypad numbers");
    useWeightings_ = named(new QCheckBox("Show weighted scores"), "chkUseWeightings");
    onlyMax_ = named(new QCheckBox("Only Show Maximum Scores"), "chk_ShowOnlyMaxScorers");
    numberOfMax_ = named(new QCheckBox("Show Number Of Maximum Scorers"), "chk_ShowNumberOfMaxScorers");
    display->addWidget(showScores_, 3, 0);
    display->addWidget(useWeightings_, 3, 1);
    display->addWidget(onlyMax_, 4, 0);
    display->addWidget(numberOfMax_, 4, 1);
    liveLayout->addWidget(frame1);

    liveLayout->addWidget(makeOnFinishGroup());
    liveLayout->addWidget(makeAutostartGroup());
    return live;
}

void QuizForm::Form_Load()
{
    const std::string &name = ctx_.state.quizFileName;
    const bool named = endsWith(toLower(name), "quz");
    lblQuizName_->setText(named ? QString::fromStdString(name) : QString());
    lblQuizName_->setVisible(named);
    lblTitle_->setVisible(named);
    sstab1_->setCurrentIndex(0);
    for (const auto &vote : AddVotesToList(ctx_))
        available_->addItem(QString::fromStdString(vote));
}

// ------------------------------------------------------------ the set-up file

// The places: the first and the last shown, whether only the top scorers
// are, and their number.
void QuizForm::showPlaces(const QuizSetup &setup)
{
    numberOfMax_->setChecked(setup.showNumberOfMaxScorers);
    onlyMax_->setChecked(setup.showOnlyMaxScorers);
    startFrom_->setText(QString::number(setup.keypadsStartFrom));
    setText1(std::to_string(lastPlace(setup)));
}

std::string QuizForm::text1() const
{
    return text1_->text().toStdString();
}

void QuizForm::setText1(const std::string &text)
{
    text1_->setText(QString::fromStdString(text));
}

// ------------------------------------------------------------ the vote lists

void QuizForm::Command1_Click(int index)
{
    if (index == 0)
        moveSelectedVotes(available_, quizList_);
    else
        moveSelectedVotes(quizList_, available_);
}

void QuizForm::List1_DblClick()
{
    moveCurrentVote(available_, quizList_);
}

void QuizForm::List2_DblClick()
{
    moveCurrentVote(quizList_, available_);
}

// ------------------------------------------------------------ placings and options

void QuizForm::onPlacingChanged(QLineEdit *field)
{
    const std::string text = field->text().toStdString();
    const std::string clean = cleanPlacingText(text);
    if (clean != text)
        field->setText(QString::fromStdString(clean));
}

void QuizForm::storeDisplayCount(int count)
{
    if (count == ctx_.state.displayCount)
        return;
    ctx_.state.displayCount = count;
    ResetDisplayPositions(ctx_.state);
}

void QuizForm::Text1_LostFocus()
{
    const Placings p = lastPlacingLeft(startFrom_->text().toStdString(), text1());
    tellTooManyPlaces(p, *ctx_.dialogs);
    text1_->setText(QString::fromStdString(p.last));
    storeDisplayCount(p.displayCount());
}

void QuizForm::txt_KeypadsStartFrom_LostFocus()
{
    const Placings p = firstPlacingLeft(startFrom_->text().toStdString(), text1());
    tellTooManyPlaces(p, *ctx_.dialogs);
    startFrom_->setText(QString::fromStdString(p.first));
    ctx_.state.keypadsStartFrom = p.firstPlace();
    storeDisplayCount(p.displayCount());
}

void QuizForm::chk_ShowNumberOfMaxScorers_Click()
{
    DisplayOptions options;
    options.text1 = text1();
    options.showScores = showScores_->isChecked() ? 1 : 0;
    options.useWeightings = useWeightings_->isChecked() ? 1 : 0;
    options.showOnlyMaxScorers = onlyMax_->isChecked();
    const bool on = numberOfMax_->isChecked();
    ctx_.state.showNumberOfMaxScorers = on;
    applyDisplayOptions(withShowNumberOfMaxScorers(options, on));
}

void QuizForm::applyDisplayOptions(const DisplayOptions &o)
{
    text1_->setText(QString::fromStdString(o.text1));
    showScores_->setChecked(o.showScores == 1);
    useWeightings_->setChecked(o.useWeightings != 0);
    onlyMax_->setChecked(o.showOnlyMaxScorers);
    label3_->setEnabled(o.placingEnabled);
    label4_->setEnabled(o.placingEnabled);
    text1_->setEnabled(o.placingEnabled);
    showScores_->setEnabled(o.showScoresEnabled);
    useWeightings_->setEnabled(o.useWeightingsEnabled);
    onlyMax_->setEnabled(o.showOnlyMaxScorersEnabled);
}

bool QuizForm::eventFilter(QObject *watched, QEvent *event)
{
    return guardRunEnd(true, [&]() -> bool {
        if (event->type() == QEvent::FocusOut && leftForAnotherControl(event)) {
            if (watched == text1_)
                Text1_LostFocus();
            else if (watched == startFrom_)
                txt_KeypadsStartFrom_LostFocus();
        } else if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
            if (watched == available_ || watched == quizList_) {
                for (QPushButton *button : command1_)
                    button->setStyleSheet(QString());
            } else if (watched == command1_[0] && !available_->selectedItems().isEmpty()) {
                command1_[0]->setStyleSheet(kHoverStyle);
            } else if (watched == command1_[1] && !quizList_->selectedItems().isEmpty()) {
                command1_[1]->setStyleSheet(kHoverStyle);
            }
        }
        return QWidget::eventFilter(watched, event);
    });
}

// ------------------------------------------------------------ set display, save, cancel

void QuizForm::SetDisplay_Click()
{
    guardedClick(ctx_, [this] {
        storeDisplayCount(Placings{startFrom_->text().toStdString(), text1()}.displayCount());
        hide();
        ctx_.host->runMacro("StartShowEdit", {std::to_string(ctx_.host->selectedSlideIndex())});
        for (int i = 0; i < 251; ++i)
            ctx_.pump->processEvents();
        ctx_.state.setupForm = SetupFormKind::QuizForm;
        if (ctx_.windows)
            CollectPowerPointWindows(ctx_);
        CaptureSlideShow(ctx_);
        runLayoutEditor(ctx_, hooks_);
        show();
    });
}

void QuizForm::OK_Click()
{
    guardedClick(ctx_, [this] {
        QuizState &s = ctx_.state;
        const Placings placings{startFrom_->text().toStdString(), text1()};
        s.displayCount = placings.displayCount();
        s.keypadsStartFrom = placings.firstPlace();
        for (size_t i = 0; i < 2; ++i)
            s.textToAdd[i] = addText_[i]->text().toStdString();
        if (s.displayCount < 1) {
            ctx_.dialogs->message("Must display at least 1 keypad", "Quiz", MessageIcon::Exclamation);
            text1_->setFocus();
            return;
        }
        if (LayoutPlacings(s) < s.displayCount) {
            ctx_.dialogs->message("Set display before saving", "Quiz", MessageIcon::Exclamation);
            return;
        }
        if (ctx_.windows)
            ClearClipboard(ctx_);

        QuizSaveRequest request;
        request.dataFolder = s.dataFolder;
        request.presentationFolder = presentationFolder(ctx_);
        request.currentQuizPath = s.quizFileName.empty() ? "" : s.dataFolder + "/" + s.quizFileName;
        request.presetName = s.quizFileName.empty() ? "quiz.quz" : s.quizFileName;
        if (!saveSetup(request))
            return;
        ctx_.host->runMacro("AddVoteToSlide", {s.quizFileName});
        EndSetupRun(ctx_);
    });
}

void QuizForm::Cancel_Click()
{
    if (ctx_.windows)
        ClearClipboard(ctx_);
    EndSetupRun(ctx_);
}

void QuizForm::closeEvent(QCloseEvent *event)
{
    guardRunEnd([&] {
        event->ignore();
        Cancel_Click();
    });
}

} // namespace quiz
