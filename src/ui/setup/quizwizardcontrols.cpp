#include "ui/setup/quizwizard.h"

#include "core/setup/placingfields.h"
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

// The wizard's two tabs of controls, their captions, tool tips and start
// values, and the handlers they are connected to.

namespace quiz
{

namespace
{

template <typename T> T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

QWidget *QuizWizard::buildVotesTab()
{
    auto *frame2 = named(new QGroupBox("Votes"), "Frame2");
    auto *grid = new QGridLayout(frame2);
    avail_ = named(new QListWidget, "lst_AvailVotes");
    votesIn_ = named(new QListWidget, "lst_VotesIn");
    avail_->setToolTip("Double click to add a vote to the votes in quiz");
    votesIn_->setToolTip("Double click to remove a vote from the votes in quiz");
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
    grid->addWidget(avail_, 1, 0);
    grid->addLayout(buttons, 1, 1);
    grid->addWidget(votesIn_, 1, 2);

    connect(cmdAdd_, &QPushButton::clicked, this, guarded(this, &QuizWizard::addName));
    connect(cmdRemove_, &QPushButton::clicked, this, guarded(this, &QuizWizard::removeName));
    connect(cmdAddAll_, &QPushButton::clicked, this, guarded(this, &QuizWizard::cmd_addall_Click));
    connect(cmdRemoveAll_, &QPushButton::clicked, this, guarded(this, &QuizWizard::cmd_removeall_Click));
    connect(avail_, &QListWidget::itemDoubleClicked, this, guarded(this, &QuizWizard::addName));
    connect(votesIn_, &QListWidget::itemDoubleClicked, this, guarded(this, &QuizWizard::removeName));
    connect(avail_, &QListWidget::itemSelectionChanged, this, guarded(this, &QuizWizard::refreshListButtons));
    connect(votesIn_, &QListWidget::itemSelectionChanged, this,
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
        addText_[size_t(i)] = named(new QLineEdit(QString::fromStdString(ctx_.state.textToAdd[size_t(i)])),
                                    arrayName("txt_addtext", i));
        grid->addWidget(named(new QLabel(labels[i][1]), labels[i][0]), 1 + i, 0);
        grid->addWidget(addText_[size_t(i)], 1 + i, 1);
        connect(addText_[size_t(i)], &QLineEdit::textChanged, this, guarded([this, i](const QString &text) {
                    ctx_.state.textToAdd[size_t(i)] = text.toStdString();
                }));
    }
    showScores_ = named(new QCheckBox("Show scores"), "showScoresCheckBox");
    useWeightings_ = named(new QCheckBox("Show weighted scores"), "chkUseWeightings");
    showScores_->setChecked(ctx_.state.showScores == 1);
    useWeightings_->setChecked(ctx_.state.useWeightings != 0);
    connect(showScores_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.showScores = on ? 1 : 0; }));
    connect(useWeightings_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.useWeightings = on ? 1 : 0; }));
    grid->addWidget(showScores_, 3, 0);
    grid->addWidget(useWeightings_, 3, 1);
    displayLayout->addWidget(frame1);
    display_->addTab(displayOptions, "Display Options");

    auto *slideOptions = new QWidget;
    auto *slideLayout = new QVBoxLayout(slideOptions);
    auto *frame7 = named(new QGroupBox("On finishing..."), "Frame7");
    auto *finish = new QVBoxLayout(frame7);
    onFinish_[0] = named(new QRadioButton("Return to PowerPoint"), arrayName("onFinish", 0));
    onFinish_[1] =
        named(new QRadioButton("Return to PowerPoint and go to next slide"), arrayName("onFinish", 1));
    doOnFinishWarning_ =
        named(new QLabel("If last slide in show then select Tools, Options,  End with black slide, "
                         "or don't use this option."),
              "doOnFinishWarning");
    doOnFinishWarning_->setWordWrap(true);
    for (int i = 0; i < 2; ++i) {
        finish->addWidget(onFinish_[size_t(i)]);
        connect(onFinish_[size_t(i)], &QRadioButton::toggled, this, guarded([this, i](bool on) {
                    if (!on)
                        return;
                    ctx_.state.onFinishChoice = i;
                    doOnFinishWarning_->setVisible(i == 1);
                }));
    }
    finish->addWidget(doOnFinishWarning_);
    onFinish_[size_t(ctx_.state.onFinishChoice == 0 ? 0 : 1)]->setChecked(true);
    doOnFinishWarning_->setVisible(ctx_.state.onFinishChoice != 0);
    slideLayout->addWidget(frame7);

    auto *frame19 = named(new QGroupBox("Autostart"), "Frame19");
    auto *autostart = new QVBoxLayout(frame19);
    checkAutoStart_ = named(new QCheckBox("Show results when slide displayed"), "CheckAutoStart");
    checkAutoStart_->setChecked(ctx_.state.autoStart);
    connect(checkAutoStart_, &QCheckBox::toggled, this,
            guarded([this](bool on) { ctx_.state.autoStart = on; }));
    auto *label5 =
        named(new QLabel("Note: The results will be displayed before any custom animations or other "
                         "slide build-ups."),
              "Label5");
    label5->setWordWrap(true);
    autostart->addWidget(checkAutoStart_);
    autostart->addWidget(label5);
    slideLayout->addWidget(frame19);
    display_->addTab(slideOptions, "Slide Options");
    return display_;
}

} // namespace quiz
