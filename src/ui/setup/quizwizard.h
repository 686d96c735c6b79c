#pragma once

#include "core/setup/readiness.h"
#include "ui/setup/setupwindow.h"

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

// "Quiz Wizard": the quiz built step by step (votes, display options, slide
// options), always showing whether it is ready to be saved.
class QuizWizard : public SetupWindow
{
    Q_OBJECT
  public:
    QuizWizard(RunContext &ctx, SetupWindowHooks hooks, QWidget *parent = nullptr);

    // Form load: the readiness, then the votes on offer (ends the run
    // without quizslds.txt or with an empty one).
    void Form_Load();

    bool displaySet() const { return displaySet_; }
    int quizSlide() const { return quizSlide_; }

  public slots:
    void addName();
    void removeName();
    void cmd_addall_Click();
    void cmd_removeall_Click();
    Readiness CheckFinished();
    void txt_numkeypads_MouseDown();
    void txt_numkeypads_LostFocus();
    void SSTab_Master_Click();
    void SSTab_display_Click();
    void cmd_setdisplay_Click();
    void SaveAndGo_Click();
    void Cancel_Click();
    void Next_Click();
    void Previous_Click();
    void StartAgain_Click();
    // Unloads the wizard: the controller hears "EndWizard" and the run ends.
    void unload();

  protected:
    void showPlaces(const QuizSetup &setup) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    void build();
    QWidget *buildVotesTab();
    QWidget *buildOptionsTab();
    void refreshListButtons();
    void refreshDisplaySetLabels();
    int placesBoxValue() const;

    QTabWidget *master_, *display_;
    QPushButton *cmdAdd_, *cmdRemove_, *cmdAddAll_, *cmdRemoveAll_, *cmdSetDisplay_;
    std::array<QPushButton *, 5> cmdMain_{};
    std::array<QLabel *, 2> lblResultSet_{};
    QLineEdit *slideTitle_, *numKeypads_;
    bool displaySet_ = false;
    int quizSlide_ = 0;
    std::string presentationFolder_;
};

} // namespace quiz
