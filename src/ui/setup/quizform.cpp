#include "ui/setup/quizform.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/quiz/quizfile.h"
#include "core/setup/placingfields.h"
#include "core/setup/setupoptions.h"
#include "core/setup/votesource.h"
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

// Mouse over a move button while its list has a selection (blue, &HFF0000).
const char *kHoverStyle = "background-color: #0000ff;";

} // namespace

QuizForm::QuizForm(RunContext &ctx, SetupWindowHooks hooks, QWidget *parent)
    : QWidget(parent), ctx_(ctx), hooks_(std::move(hooks))
{
    setObjectName("QuizForm");
    setWindowTitle("Quiz setup - display of highest scoring individual keypads");
    build();

    tmrMakeMeTop_ = new QTimer(this);
    tmrMakeMeTop_->setObjectName("tmr_MakeMeTop");
    tmrMakeMeTop_->setInterval(200);
    connect(tmrMakeMeTop_, &QTimer::timeout, this, guarded(this, &QuizForm::tmr_MakeMeTop_Timer));
    tmrMakeMeTop_->start();
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
        list1_->addItem(QString::fromStdString(vote));
}

// ------------------------------------------------------------ the set-up file

void QuizForm::addToQuizList(const std::string &name)
{
    list2_->addItem(QString::fromStdString(name));
}

std::vector<std::string> QuizForm::quizList() const
{
    return listItems(list2_);
}

void QuizForm::removeFromAvailableList(const std::string &name)
{
    for (int i = list1_->count() - 1; i >= 0; --i)
        if (iequals(list1_->item(i)->text().toStdString(), name))
            delete list1_->takeItem(i);
}

void QuizForm::setText1(const std::string &text)
{
    text1_->setText(QString::fromStdString(text));
}

void QuizForm::setShowScoresCheckBox(int value)
{
    showScores_->setChecked(value == 1);
}

int QuizForm::showScoresCheckBox() const
{
    return showScores_->isChecked() ? 1 : 0;
}

void QuizForm::setOnFinish(int index)
{
    if (index == 0 || index == 1)
        onFinish_[size_t(index)]->setChecked(true);
}

void QuizForm::setCheckAutoStart(bool on)
{
    checkAutoStart_->setChecked(on);
}

void QuizForm::setChkUseWeightings(int value)
{
    useWeightings_->setChecked(value != 0);
}

void QuizForm::setChkShowNumberOfMaxScorers(bool on)
{
    numberOfMax_->setChecked(on);
}

void QuizForm::setChkShowOnlyMaxScorers(bool on)
{
    onlyMax_->setChecked(on);
}

void QuizForm::setTxtKeypadsStartFrom(const std::string &text)
{
    startFrom_->setText(QString::fromStdString(text));
}

// The reader gives the score texts in order: before, then after the score.
void QuizForm::setTxtAddtext(const std::string &text)
{
    addText_[size_t(addTextPieces_++ % 2)]->setText(QString::fromStdString(text));
}

std::string QuizForm::text1() const
{
    return text1_->text().toStdString();
}

// ------------------------------------------------------------ the vote lists

void QuizForm::moveSelected(QListWidget *from, QListWidget *to)
{
    VoteList source = listItems(from), target = listItems(to);
    moveSelectedVotes(source, target, selectedRows(from));
    setListItems(from, source);
    setListItems(to, target);
}

void QuizForm::moveCurrent(QListWidget *from, QListWidget *to)
{
    VoteList source = listItems(from), target = listItems(to);
    if (!moveVote(source, target, from->currentRow()))
        return;
    setListItems(from, source);
    setListItems(to, target);
}

void QuizForm::Command1_Click(int index)
{
    if (index == 0)
        moveSelected(list1_, list2_);
    else
        moveSelected(list2_, list1_);
}

void QuizForm::List1_DblClick()
{
    moveCurrent(list1_, list2_);
}

void QuizForm::List2_DblClick()
{
    moveCurrent(list2_, list1_);
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
    options.showScores = showScoresCheckBox();
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
            if (watched == list1_ || watched == list2_) {
                for (QPushButton *button : command1_)
                    button->setStyleSheet(QString());
            } else if (watched == command1_[0] && !list1_->selectedItems().isEmpty()) {
                command1_[0]->setStyleSheet(kHoverStyle);
            } else if (watched == command1_[1] && !list2_->selectedItems().isEmpty()) {
                command1_[1]->setStyleSheet(kHoverStyle);
            }
        }
        return QWidget::eventFilter(watched, event);
    });
}

void QuizForm::tmr_MakeMeTop_Timer()
{
    tmrMakeMeTop_->stop();
    if (ctx_.windows && isVisible())
        if (const WindowHandle own = ctx_.windows->ownWindowHandle(this))
            ctx_.windows->raiseWindow(own);
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
        const auto path = ChooseQuizFilePath(request, *ctx_.dialogs, quizFileAsker(ctx_, hooks_, this));
        if (!path || !WriteQuizSetup(s, *path, *this, *ctx_.dialogs))
            return;
        s.quizFileName = FileNamePart(*path);
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
