#pragma once

#include "ui/setup/setupwindow.h"

#include <array>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace quiz
{

struct RunContext;

// "Quiz setup - display of highest scoring individual keypads": the quiz's
// votes, the display options, "Set display" and saving, on one screen.
// Controls carry their names as object names.
class QuizForm : public SetupWindow
{
    Q_OBJECT
  public:
    QuizForm(RunContext &ctx, SetupWindowHooks hooks, QWidget *parent = nullptr);

    // Form load: the quiz name labels, the first tab, the votes on offer.
    void Form_Load();

    std::string text1() const;
    void setText1(const std::string &text);

  public slots:
    void Command1_Click(int index);
    void List1_DblClick();
    void List2_DblClick();
    void Text1_LostFocus();
    void txt_KeypadsStartFrom_LostFocus();
    void chk_ShowNumberOfMaxScorers_Click();
    void SetDisplay_Click();
    void OK_Click();
    void Cancel_Click();

  protected:
    void showPlaces(const QuizSetup &setup) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    void build();
    QWidget *buildVotesTab();
    QWidget *buildLiveTab();
    void onPlacingChanged(QLineEdit *field);
    void storeDisplayCount(int count);
    void applyDisplayOptions(const struct DisplayOptions &options);

    QTabWidget *sstab1_;
    std::array<QPushButton *, 2> command1_{};
    std::array<QPushButton *, 3> command2_{};
    QCheckBox *onlyMax_, *numberOfMax_;
    QLabel *label3_, *label4_, *lblTitle_, *lblQuizName_;
    QLineEdit *startFrom_, *text1_;
};

} // namespace quiz
