#include "ui/setup/setupwindow.h"

#include "core/quiz/quizfile.h"
#include "core/setup/votelists.h"
#include "core/startup/runcontext.h"
#include "ports/windowsystem.h"
#include "ui/common/handlerguard.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace quiz
{

SetupWindow::SetupWindow(RunContext &ctx, SetupWindowHooks hooks, QWidget *parent)
    : QWidget(parent), ctx_(ctx), hooks_(std::move(hooks))
{
}

void SetupWindow::showSetup(const QuizSetup &setup)
{
    setListItems(quizList_, setup.questions);
    setListItems(available_, withoutQuizVotes(listItems(available_), setup.questions));
    showScores_->setChecked(setup.showScores == 1);
    useWeightings_->setChecked(setup.useWeightings != 0);
    if (setup.onFinishChoice == 0 || setup.onFinishChoice == 1)
        onFinish_[size_t(setup.onFinishChoice)]->setChecked(true);
    checkAutoStart_->setChecked(setup.autoStart);
    for (size_t i = 0; i < 2; ++i)
        addText_[i]->setText(QString::fromStdString(setup.textToAdd[i]));
    showPlaces(setup);
}

QuizSetup SetupWindow::setup() const
{
    QuizSetup setup = setupOf(ctx_.state);
    setup.questions = listItems(quizList_);
    setup.showScores = showScores_->isChecked() ? 1 : 0;
    for (size_t i = 0; i < 2; ++i)
        setup.textToAdd[i] = addText_[i]->text().toStdString();
    return setup;
}

QGroupBox *SetupWindow::makeOnFinishGroup()
{
    auto *group = named(new QGroupBox("On finishing..."), "Frame7");
    auto *finish = new QVBoxLayout(group);
    onFinish_[0] = named(new QRadioButton("Return to PowerPoint"), arrayName("onFinish", 0));
    onFinish_[1] =
        named(new QRadioButton("Return to PowerPoint and go to next slide"), arrayName("onFinish", 1));
    doOnFinishWarning_ =
        named(new QLabel("If last slide in show then select Tools, Options,  End with black slide, "
                         "or don't use this option."),
              "doOnFinishWarning");
    doOnFinishWarning_->setWordWrap(true);
    for (QRadioButton *button : onFinish_)
        finish->addWidget(button);
    finish->addWidget(doOnFinishWarning_);
    return group;
}

QGroupBox *SetupWindow::makeAutostartGroup()
{
    auto *group = named(new QGroupBox("Autostart"), "Frame19");
    auto *autostart = new QVBoxLayout(group);
    checkAutoStart_ = named(new QCheckBox("Show results when slide displayed"), "CheckAutoStart");
    auto *label5 =
        named(new QLabel("Note: The results will be displayed before any custom animations or other "
                         "slide build-ups."),
              "Label5");
    label5->setWordWrap(true);
    autostart->addWidget(checkAutoStart_);
    autostart->addWidget(label5);
    return group;
}

void SetupWindow::linkSharedControls()
{
    const QuizState &s = ctx_.state;
    for (size_t i = 0; i < 2; ++i) {
        addText_[i]->setText(QString::fromStdString(s.textToAdd[i]));
        connect(addText_[i], &QLineEdit::textChanged, this,
                guarded([this, i](const QString &text) { ctx_.state.textToAdd[i] = text.toStdString(); }));
    }
    showScores_->setChecked(s.showScores == 1);
    useWeightings_->setChecked(s.useWeightings != 0);
    checkAutoStart_->setChecked(s.autoStart);
    onFinish_[size_t(s.onFinishChoice == 0 ? 0 : 1)]->setChecked(true);
    doOnFinishWarning_->setVisible(s.onFinishChoice != 0);
    connect(showScores_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.showScores = on ? 1 : 0; }));
    connect(useWeightings_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.useWeightings = on ? 1 : 0; }));
    connect(checkAutoStart_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.autoStart = on; }));
    for (int i = 0; i < 2; ++i)
        connect(onFinish_[size_t(i)], &QRadioButton::toggled, this, guarded([this, i](bool on) {
                    if (!on)
                        return;
                    ctx_.state.onFinishChoice = i;
                    doOnFinishWarning_->setVisible(i == 1);
                }));

    tmrMakeMeTop_ = new QTimer(this);
    tmrMakeMeTop_->setObjectName("tmr_MakeMeTop");
    tmrMakeMeTop_->setInterval(200);
    connect(tmrMakeMeTop_, &QTimer::timeout, this, guarded(this, &SetupWindow::raiseOverPresentation));
    tmrMakeMeTop_->start();
}

void SetupWindow::raiseOverPresentation()
{
    tmrMakeMeTop_->stop();
    if (ctx_.windows && isVisible())
        if (const WindowHandle own = ctx_.windows->ownWindowHandle(this))
            ctx_.windows->raiseWindow(own);
}

bool SetupWindow::saveSetup(const QuizSaveRequest &request)
{
    const auto path = ChooseQuizFilePath(request, *ctx_.dialogs, quizFileAsker(ctx_, hooks_, this));
    if (!path || !WriteQuizSetup(setup(), *path, *ctx_.dialogs))
        return false;
    ctx_.state.quizFileName = FileNamePart(*path);
    return true;
}

bool SetupWindow::moveVotes(QListWidget *from, QListWidget *to,
                            const std::function<bool(VoteList &, VoteList &)> &rule)
{
    VoteList source = listItems(from), target = listItems(to);
    if (!rule(source, target))
        return false;
    setListItems(from, source);
    setListItems(to, target);
    return true;
}

bool SetupWindow::moveCurrentVote(QListWidget *from, QListWidget *to)
{
    const int row = from->currentRow();
    return moveVotes(from, to, [row](VoteList &a, VoteList &b) { return moveVote(a, b, row); });
}

void SetupWindow::moveSelectedVotes(QListWidget *from, QListWidget *to)
{
    const std::vector<bool> selected = selectedRows(from);
    moveVotes(from, to, [&](VoteList &a, VoteList &b) {
        quiz::moveSelectedVotes(a, b, selected);
        return true;
    });
}

void SetupWindow::moveAllVotes(QListWidget *from, QListWidget *to)
{
    moveVotes(from, to, [](VoteList &a, VoteList &b) {
        quiz::moveAllVotes(a, b);
        return true;
    });
}

bool SetupWindow::leftForAnotherControl(QEvent *event)
{
    const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace quiz
