#pragma once

#include "core/quiz/setupformcontrols.h"
#include "ui/setup/setuphooks.h"

#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTimer;

namespace quiz
{

struct RunContext;

// "Quiz setup - display of highest scoring individual keypads": the quiz's
// votes, the display options, "Set display" and saving, on one screen.
// Controls carry their names as object names.
class QuizForm : public QWidget, public SetupFormControls
{
    Q_OBJECT
  public:
    QuizForm(RunContext &ctx, SetupWindowHooks hooks, QWidget *parent = nullptr);

    // Form load: the quiz name labels, the first tab, the votes on offer.
    void Form_Load();

    // SetupFormControls: what the quiz file reader fills and the writer reads.
    SetupFormKind kind() const override { return SetupFormKind::QuizForm; }
    void addToQuizList(const std::string &name) override;
    std::vector<std::string> quizList() const override;
    void removeFromAvailableList(const std::string &name) override;
    void setText1(const std::string &text) override;
    void setShowScoresCheckBox(int value) override;
    int showScoresCheckBox() const override;
    void setOnFinish(int index) override;
    void setCheckAutoStart(bool on) override;
    void setChkUseWeightings(int value) override;
    void setChkShowNumberOfMaxScorers(bool on) override;
    void setChkShowOnlyMaxScorers(bool on) override;
    void setTxtKeypadsStartFrom(const std::string &text) override;
    void setTxtAddtext(const std::string &text) override;
    void setDisplayCountBox(const std::string &) override {}
    void presetFontDialog(const FontChoice &) override {}

    std::string text1() const;

  public slots:
    void Command1_Click(int index);
    void List1_DblClick();
    void List2_DblClick();
    void Text1_LostFocus();
    void txt_KeypadsStartFrom_LostFocus();
    void chk_ShowNumberOfMaxScorers_Click();
    void tmr_MakeMeTop_Timer();
    void SetDisplay_Click();
    void OK_Click();
    void Cancel_Click();

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    void build();
    void moveSelected(QListWidget *from, QListWidget *to);
    void moveCurrent(QListWidget *from, QListWidget *to);
    void onPlacingChanged(QLineEdit *field);
    void storeDisplayCount(int count);
    void applyDisplayOptions(const struct DisplayOptions &options);

    RunContext &ctx_;
    SetupWindowHooks hooks_;
    QTabWidget *sstab1_;
    QListWidget *list1_, *list2_;
    std::array<QPushButton *, 2> command1_{};
    std::array<QPushButton *, 3> command2_{};
    QCheckBox *checkAutoStart_, *showScores_, *useWeightings_, *onlyMax_, *numberOfMax_;
    QLabel *label3_, *label4_, *doOnFinishWarning_, *lblTitle_, *lblQuizName_;
    QLineEdit *startFrom_, *text1_;
    std::array<QLineEdit *, 2> addText_{};
    std::array<QRadioButton *, 2> onFinish_{};
    QTimer *tmrMakeMeTop_;
    int addTextPieces_ = 0; // score texts the reader has set so far
};

} // namespace quiz
