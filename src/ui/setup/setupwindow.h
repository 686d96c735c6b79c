#pragma once

#include "core/quiz/quizsetup.h"
#include "core/setup/quizsave.h"
#include "ui/setup/setuphooks.h"

#include <QWidget>

#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTimer;

namespace quiz
{

struct RunContext;

// What the set-up form and the wizard share: the two vote lists, the options
// both show (scores, weightings, on finishing, autostart, the score texts),
// the window kept above the presentation program, and saving the set-up.
// Each window builds its own layout into the shared controls, then calls
// linkSharedControls.
class SetupWindow : public QWidget
{
    Q_OBJECT
  public:
    // Shows a set-up: its quiz list (those votes leave the available list),
    // its options and its places.
    void showSetup(const QuizSetup &setup);
    // The set-up the window shows; what it has no control for (area, places,
    // font) comes from the run's values.
    QuizSetup setup() const;

  protected:
    SetupWindow(RunContext &ctx, SetupWindowHooks hooks, QWidget *parent);

    // The window's own controls of the places shown.
    virtual void showPlaces(const QuizSetup &setup) = 0;

    // The "On finishing..." group (onFinish_ and its warning) and the
    // "Autostart" group (checkAutoStart_), the same in both windows.
    QGroupBox *makeOnFinishGroup();
    QGroupBox *makeAutostartGroup();
    // The shared controls start from the run's values, and their changes go
    // back to them; the raise timer starts.
    void linkSharedControls();
    // Asks for the file's name and writes the set-up to it; once written,
    // the file is the run's quiz file. False when cancelled or not written.
    bool saveSetup(const QuizSaveRequest &request);
    // The window above the presentation program, once, when it is shown.
    void raiseOverPresentation();
    // Moves votes between the two lists by a rule of the vote lists
    // (core/setup/votelists.h); false, and the lists as they were, when the
    // rule moved nothing.
    static bool moveVotes(QListWidget *from, QListWidget *to,
                          const std::function<bool(VoteList &from, VoteList &to)> &rule);
    // The current vote of one list to the end of the other.
    static bool moveCurrentVote(QListWidget *from, QListWidget *to);
    // The selected votes of one list to the end of the other, last first.
    static void moveSelectedVotes(QListWidget *from, QListWidget *to);
    // Every vote of one list to the end of the other, in order.
    static void moveAllVotes(QListWidget *from, QListWidget *to);
    // A field loses the focus to another control, not when its window is
    // deactivated (a message box, another program).
    static bool leftForAnotherControl(QEvent *event);

    template <typename T> static T *named(T *widget, const QString &name)
    {
        widget->setObjectName(name);
        return widget;
    }

    RunContext &ctx_;
    SetupWindowHooks hooks_;
    QListWidget *available_ = nullptr; // the votes available
    QListWidget *quizList_ = nullptr;  // the votes in the quiz
    QCheckBox *showScores_ = nullptr, *useWeightings_ = nullptr, *checkAutoStart_ = nullptr;
    std::array<QRadioButton *, 2> onFinish_{};
    QLabel *doOnFinishWarning_ = nullptr;
    std::array<QLineEdit *, 2> addText_{}; // before and after the score
    QTimer *tmrMakeMeTop_ = nullptr;
};

} // namespace quiz
