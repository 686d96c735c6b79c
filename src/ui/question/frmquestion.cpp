#include "ui/question/frmquestion.h"

#include "core/common/text.h"
#include "core/common/writeformat.h"
#include "core/setup/votesource.h"
#include "core/startup/runcontext.h"
#include "ports/dialogs.h"
#include "ui/common/handlerguard.h"
#include "ui/setup/setuphooks.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quiz
{

namespace
{

template <typename T> T *named(T *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

QString qs(const std::string &text)
{
    return QString::fromStdString(text);
}

std::string number(const QLineEdit *field)
{
    return trim(field->text().toStdString());
}

} // namespace

FrmQuestion::FrmQuestion(RunContext &ctx, VotingSlide slide, QWidget *parent)
    : QWidget(parent), ctx_(ctx), slide_(std::move(slide))
{
    setObjectName("frmQuestion");
    setWindowTitle(
        qs("Voting question - slide " + std::to_string(slide_.slideIndex) + " - " + slide_.questionFile));
    build();
    fill(slide_.question);
}

void FrmQuestion::build()
{
    auto *layout = new QVBoxLayout(this);
    auto *texts = new QGridLayout;
    title_ = named(new QLineEdit, "txt_title");
    text_ = named(new QLineEdit, "txt_question");
    text_->setMinimumWidth(420);
    optionCount_ = named(new QComboBox, "cbo_optioncount");
    for (int n = kMinQuestionOptions; n <= kMaxQuestionOptions; ++n)
        optionCount_->addItem(QString::number(n));
    texts->addWidget(new QLabel("Title"), 0, 0);
    texts->addWidget(title_, 0, 1);
    texts->addWidget(new QLabel("Question"), 1, 0);
    texts->addWidget(text_, 1, 1);
    texts->addWidget(new QLabel("Number of options"), 2, 0);
    texts->addWidget(optionCount_, 2, 1, Qt::AlignLeft);
    layout->addLayout(texts);

    auto *options = named(new QGroupBox("Options"), "fra_options");
    auto *grid = new QGridLayout(options);
    grid->addWidget(new QLabel("Text"), 0, 1);
    grid->addWidget(new QLabel("Right"), 0, 2);
    grid->addWidget(new QLabel("Weight"), 0, 3);
    for (int i = 0; i < kMaxQuestionOptions; ++i) {
        const size_t k = size_t(i);
        number_[k] = new QLabel(QString::number(i + 1) + ".");
        option_[k] = named(new QLineEdit, arrayName("txt_option", i));
        right_[k] = named(new QCheckBox, arrayName("chk_right", i));
        weight_[k] = named(new QLineEdit("1"), arrayName("txt_weight", i));
        weight_[k]->setMaximumWidth(60);
        grid->addWidget(number_[k], i + 1, 0);
        grid->addWidget(option_[k], i + 1, 1);
        grid->addWidget(right_[k], i + 1, 2, Qt::AlignCenter);
        grid->addWidget(weight_[k], i + 1, 3);
    }
    grid->setColumnStretch(1, 1);
    layout->addWidget(options);

    auto *answer = named(new QGroupBox("Right answer"), "fra_answer");
    auto *answers = new QHBoxLayout(answer);
    const char *captions[3] = {"The options ticked", "The most popular answer", "None (a survey)"};
    for (int i = 0; i < 3; ++i) {
        answerKind_[size_t(i)] = named(new QRadioButton(captions[i]), arrayName("opt_answer", i));
        answers->addWidget(answerKind_[size_t(i)]);
        connect(answerKind_[size_t(i)], &QRadioButton::toggled, this,
                guarded(this, &FrmQuestion::refreshRows));
    }
    layout->addWidget(answer);

    auto *timing = new QHBoxLayout;
    countdownOn_ = named(new QCheckBox("Countdown of"), "chk_countdown");
    countdown_ = named(new QLineEdit("30"), "txt_countdown");
    countdown_->setMaximumWidth(60);
    timing->addWidget(countdownOn_);
    timing->addWidget(countdown_);
    timing->addWidget(new QLabel("seconds"));
    timing->addStretch();
    layout->addLayout(timing);
    connect(countdownOn_, &QCheckBox::toggled, this, guarded(this, &FrmQuestion::refreshRows));

    auto *file =
        named(new QLabel(qs("Question file: " + slide_.questionFile + (slide_.existing ? "" : " (new)"))),
              "lbl_file");
    auto *buttons = new QHBoxLayout;
    auto *save = named(new QPushButton("Save"), "cmd_save");
    auto *cancel = named(new QPushButton("Cancel"), "cmd_cancel");
    save->setDefault(true);
    buttons->addWidget(file);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, guarded(this, &FrmQuestion::cmd_save_Click));
    connect(cancel, &QPushButton::clicked, this, guarded(this, &FrmQuestion::cmd_cancel_Click));
    connect(optionCount_, &QComboBox::currentIndexChanged, this, guarded([this](int) { refreshRows(); }));
}

void FrmQuestion::fill(const VotingQuestion &q)
{
    title_->setText(qs(q.title));
    text_->setText(qs(q.text));
    const int count =
        std::clamp(static_cast<int>(q.options.size()), kMinQuestionOptions, kMaxQuestionOptions);
    optionCount_->setCurrentIndex(count - kMinQuestionOptions);
    for (size_t i = 0; i < q.options.size() && i < option_.size(); ++i)
        option_[i]->setText(qs(q.options[i]));
    for (size_t i = 0; i < q.weights.size() && i < weight_.size(); ++i)
        weight_[i]->setText(qs(formatNumber(q.weights[i])));
    for (const int option : OptionsOfCorrectAnswer(q.correctAnswer))
        right_[size_t(option - 1)]->setChecked(true);
    const bool popular = q.correctAnswer == "p" || q.correctAnswer == "P";
    // A question read without a right answer is a survey; a new one starts with options to tick.
    answerKind_[popular ? 1 : q.correctAnswer.empty() && slide_.existing ? 2 : 0]->setChecked(true);
    countdownOn_->setChecked(q.countdownSeconds > 0);
    if (q.countdownSeconds > 0)
        countdown_->setText(QString::number(q.countdownSeconds));
    refreshRows();
}

void FrmQuestion::refreshRows()
{
    const int count = optionCount_->currentIndex() + kMinQuestionOptions;
    const bool ticked = answerKind_[0]->isChecked();
    for (int i = 0; i < kMaxQuestionOptions; ++i) {
        const size_t k = size_t(i);
        const bool shown = i < count;
        for (QWidget *w : {static_cast<QWidget *>(number_[k]), static_cast<QWidget *>(option_[k]),
                           static_cast<QWidget *>(right_[k]), static_cast<QWidget *>(weight_[k])})
            w->setVisible(shown);
        right_[k]->setEnabled(ticked);
    }
    countdown_->setEnabled(countdownOn_->isChecked());
}

std::optional<VotingQuestion> FrmQuestion::question()
{
    VotingQuestion q;
    q.title = trim(title_->text().toStdString());
    q.text = trim(text_->text().toStdString());
    const int count = optionCount_->currentIndex() + kMinQuestionOptions;
    std::vector<int> right;
    bool weighted = false;
    for (int i = 0; i < count; ++i) {
        const size_t k = size_t(i);
        q.options.push_back(trim(option_[k]->text().toStdString()));
        if (right_[k]->isChecked())
            right.push_back(i + 1);
        const auto weight = itemNumber(number(weight_[k]));
        if (!weight || number(weight_[k]).empty()) {
            ctx_.dialogs->message("The weight of option " + std::to_string(i + 1) +
                                      " must be a number from 0 to 1000.",
                                  "Voting question", MessageIcon::Exclamation, MessageButtons::Ok);
            return std::nullopt;
        }
        q.weights.push_back(*weight);
        weighted = weighted || *weight != 1.0;
    }
    if (!weighted)
        q.weights.clear();
    if (answerKind_[1]->isChecked())
        q.correctAnswer = "p";
    else if (answerKind_[0]->isChecked())
        q.correctAnswer = CorrectAnswerOfOptions(right);
    if (countdownOn_->isChecked()) {
        const auto seconds = itemNumber(number(countdown_));
        if (!seconds || *seconds < 1 || *seconds > 3600 || *seconds != static_cast<int>(*seconds)) {
            ctx_.dialogs->message("The countdown must be 1 to 3600 seconds.", "Voting question",
                                  MessageIcon::Exclamation, MessageButtons::Ok);
            return std::nullopt;
        }
        q.countdownSeconds = static_cast<int>(*seconds);
    }
    return q;
}

void FrmQuestion::cmd_save_Click()
{
    const auto q = question();
    if (!q)
        return;
    if (q->correctAnswer.empty() && answerKind_[0]->isChecked()) {
        ctx_.dialogs->message("Tick the right option, or choose the most popular answer or none.",
                              "Voting question", MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    if (!SaveVotingQuestion(ctx_, slide_, *q))
        return;
    ending_ = true;
    hide();
    EndSetupRun(ctx_);
}

void FrmQuestion::cmd_cancel_Click()
{
    ending_ = true;
    hide();
    EndSetupRun(ctx_);
}

void FrmQuestion::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (!ending_)
        guardRunEnd([this] { cmd_cancel_Click(); });
}

} // namespace quiz
