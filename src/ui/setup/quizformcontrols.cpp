#include "ui/setup/quizform.h"

#include "core/startup/runcontext.h"
#include "ui/common/handlerguard.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

// The set-up form's controls, their captions, tool tips and start values,
// and the handlers they are connected to.

namespace quiz
{

namespace
{

template <typename T> T *named(T *widget, const QString &name, QWidget *)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

void QuizForm::build()
{
    auto *layout = new QVBoxLayout(this);
    auto *title = new QHBoxLayout;
    lblTitle_ = named(new QLabel("Quiz Name:"), "lblTitle", this);
    lblQuizName_ = named(new QLabel, "lblQuizName", this);
    title->addWidget(lblTitle_);
    title->addWidget(lblQuizName_, 1);
    layout->addLayout(title);

    sstab1_ = named(new QTabWidget, "SSTab1", this);
    layout->addWidget(sstab1_);

    // Tab "Quiz setup": the two vote lists and the move buttons.
    auto *frame2 = named(new QGroupBox, "Frame2", this);
    auto *votes = new QGridLayout(frame2);
    list1_ = named(new QListWidget, "List1", this);
    list2_ = named(new QListWidget, "List2", this);
    for (QListWidget *list : {list1_, list2_}) {
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setMouseTracking(true);
        list->installEventFilter(this);
    }
    list1_->setToolTip("Double click to add a vote to the votes in quiz");
    list2_->setToolTip("Double click to remove a vote from the votes in quiz");
    command1_[0] = named(new QPushButton(">>"), arrayName("Command1", 0), this);
    command1_[1] = named(new QPushButton("<<"), arrayName("Command1", 1), this);
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
    votes->addWidget(named(new QLabel("Votes available"), "Label1", this), 0, 0);
    votes->addWidget(named(new QLabel("Votes in quiz"), "Label2", this), 0, 2);
    votes->addWidget(list1_, 1, 0);
    votes->addLayout(buttons, 1, 1);
    votes->addWidget(list2_, 1, 2);
    sstab1_->addTab(frame2, "Quiz setup");
    connect(list1_, &QListWidget::itemDoubleClicked, this, guarded(this, &QuizForm::List1_DblClick));
    connect(list2_, &QListWidget::itemDoubleClicked, this, guarded(this, &QuizForm::List2_DblClick));

    // Tab "Live display".
    auto *live = new QWidget;
    auto *liveLayout = new QVBoxLayout(live);
    auto *frame1 = named(new QGroupBox("Display"), "Frame1", this);
    auto *display = new QGridLayout(frame1);
    label3_ = named(new QLabel("Display keypads placed"), "Label3", this);
    label4_ = named(new QLabel("to"), "Label4", this);
    startFrom_ = named(new QLineEdit("1"), "txt_KeypadsStartFrom", this);
    text1_ = named(new QLineEdit("5"), "Text1", this);
    auto *placing = new QHBoxLayout;
    placing->addWidget(label3_);
    placing->addWidget(startFrom_);
    placing->addWidget(label4_);
    placing->addWidget(text1_);
    display->addLayout(placing, 0, 0, 1, 2);
    const char *addTextLabels[2] = {"Add text before score", "Add text after score"};
    for (int i = 0; i < 2; ++i) {
        addText_[size_t(i)] = named(new QLineEdit, arrayName("txt_addtext", i), this);
        addText_[size_t(i)]->setText(QString::fromStdString(ctx_.state.textToAdd[size_t(i)]));
        display->addWidget(named(new QLabel(addTextLabels[i]), i == 0 ? "Label6" : "Label7", this), 1 + i, 0);
        display->addWidget(addText_[size_t(i)], 1 + i, 1);
        connect(addText_[size_t(i)], &QLineEdit::textChanged, this, guarded([this, i](const QString &text) {
                    ctx_.state.textToAdd[size_t(i)] = text.toStdString();
                }));
    }
    showScores_ = named(new QCheckBox("Show scores"), "showScoresCheckBox", this);
    showScores_->setToolTip(
        "Select this check box if you would like to display the scores as well as the keypad numbers");
    useWeightings_ = named(new QCheckBox("Show weighted scores"), "chkUseWeightings", this);
    onlyMax_ = named(new QCheckBox("Only Show Maximum Scores"), "chk_ShowOnlyMaxScorers", this);
    numberOfMax_ = named(new QCheckBox("Show Number Of Maximum Scorers"), "chk_ShowNumberOfMaxScorers", this);
    display->addWidget(showScores_, 3, 0);
    display->addWidget(useWeightings_, 3, 1);
    display->addWidget(onlyMax_, 4, 0);
    display->addWidget(numberOfMax_, 4, 1);
    liveLayout->addWidget(frame1);

    auto *frame7 = named(new QGroupBox("On finishing..."), "Frame7", this);
    auto *finish = new QVBoxLayout(frame7);
    onFinish_[0] = named(new QRadioButton("Return to PowerPoint"), arrayName("onFinish", 0), this);
    onFinish_[1] =
        named(new QRadioButton("Return to PowerPoint and go to next slide"), arrayName("onFinish", 1), this);
    doOnFinishWarning_ =
        named(new QLabel("If last slide in show then select Tools, Options,  End with black slide, "
                         "or don't use this option."),
              "doOnFinishWarning", this);
    doOnFinishWarning_->setWordWrap(true);
    finish->addWidget(onFinish_[0]);
    finish->addWidget(onFinish_[1]);
    finish->addWidget(doOnFinishWarning_);
    liveLayout->addWidget(frame7);

    auto *frame19 = named(new QGroupBox("Autostart"), "Frame19", this);
    auto *autostart = new QVBoxLayout(frame19);
    checkAutoStart_ = named(new QCheckBox("Show results when slide displayed"), "CheckAutoStart", this);
    auto *label5 =
        named(new QLabel("Note: The results will be displayed before any custom animations or other "
                         "slide build-ups."),
              "Label5", this);
    label5->setWordWrap(true);
    autostart->addWidget(checkAutoStart_);
    autostart->addWidget(label5);
    liveLayout->addWidget(frame19);
    sstab1_->addTab(live, "Live display");

    auto *bottom = new QHBoxLayout;
    const char *captions[3] = {"Set &display", "&OK", "C&ancel"};
    for (int i = 0; i < 3; ++i) {
        command2_[size_t(i)] = named(new QPushButton(captions[i]), arrayName("Command2", i), this);
        bottom->addWidget(command2_[size_t(i)]);
    }
    layout->addLayout(bottom);
    connect(command2_[0], &QPushButton::clicked, this, guarded(this, &QuizForm::SetDisplay_Click));
    connect(command2_[1], &QPushButton::clicked, this, guarded(this, &QuizForm::OK_Click));
    connect(command2_[2], &QPushButton::clicked, this, guarded(this, &QuizForm::Cancel_Click));

    // The controls start from the run's set-up values.
    const QuizState &s = ctx_.state;
    checkAutoStart_->setChecked(s.autoStart);
    showScores_->setChecked(s.showScores == 1);
    useWeightings_->setChecked(s.useWeightings != 0);
    useWeightings_->setEnabled(s.showScores == 1);
    onlyMax_->setChecked(s.showOnlyMaxScorers);
    onFinish_[size_t(s.onFinishChoice == 0 ? 0 : 1)]->setChecked(true);
    doOnFinishWarning_->setVisible(s.onFinishChoice == 1);

    connect(checkAutoStart_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.autoStart = on; }));
    connect(useWeightings_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.useWeightings = on ? 1 : 0; }));
    connect(onlyMax_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.showOnlyMaxScorers = on; }));
    connect(showScores_, &QCheckBox::toggled, this, guarded([this](bool on) {
                ctx_.state.showScores = on ? 1 : 0;
                useWeightings_->setEnabled(on);
            }));
    connect(numberOfMax_, &QCheckBox::toggled, this,
            guarded(this, &QuizForm::chk_ShowNumberOfMaxScorers_Click));
    for (int i = 0; i < 2; ++i)
        connect(onFinish_[size_t(i)], &QRadioButton::toggled, this, guarded([this, i](bool on) {
                    if (!on)
                        return;
                    ctx_.state.onFinishChoice = i;
                    doOnFinishWarning_->setVisible(i == 1);
                }));
    for (QLineEdit *field : {startFrom_, text1_}) {
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, guarded([this, field] { onPlacingChanged(field); }));
    }
}

} // namespace quiz
