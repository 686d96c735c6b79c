#pragma once

#include "core/quiz/votingquestion.h"
#include "core/setup/votingslide.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace quiz
{

struct RunContext;

// "Voting question": the question of one slide, its options, right options
// (or the most popular answer, or none), weights and countdown. Save writes
// the question file and puts the slide's VOTE shape; both end the run.
class FrmQuestion : public QWidget
{
    Q_OBJECT
  public:
    FrmQuestion(RunContext &ctx, VotingSlide slide, QWidget *parent = nullptr);

    // The question as the controls hold it; nullopt when a weight or the
    // countdown is no number (the user has been told).
    std::optional<VotingQuestion> question();

  public slots:
    void cmd_save_Click();
    void cmd_cancel_Click();
    void refreshRows();

  protected:
    void closeEvent(QCloseEvent *event) override;

  private:
    void build();
    void fill(const VotingQuestion &q);

    RunContext &ctx_;
    VotingSlide slide_;
    QLineEdit *title_, *text_, *countdown_;
    QComboBox *optionCount_;
    QCheckBox *countdownOn_;
    std::array<QRadioButton *, 3> answerKind_{};
    std::array<QLabel *, kMaxQuestionOptions> number_{};
    std::array<QLineEdit *, kMaxQuestionOptions> option_{}, weight_{};
    std::array<QCheckBox *, kMaxQuestionOptions> right_{};
    bool ending_ = false;
};

} // namespace quiz
