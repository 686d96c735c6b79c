#pragma once

#include "core/setup/quizsave.h"
#include "core/setup/votelists.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>

class QListWidget;
class QWidget;

namespace quiz
{

struct RunContext;

// What the set-up windows call outside themselves, wired by their mode.
struct SetupWindowHooks {
    // Opens the layout editor over the running show for the shared state and
    // returns when it has closed and stored the layout. Empty: this build
    // has no layout editor.
    std::function<void()> openLayoutEditor;
    // The save dialog over the caller, preset with a name; empty: the run's
    // Dialogs port answers it as a save dialog.
    std::function<std::optional<std::string>(QWidget *caller, const std::string &preset)> askFileName;
};

// The save dialog of the hooks, or the Dialogs port's.
AskQuizFileName quizFileAsker(RunContext &ctx, const SetupWindowHooks &hooks, QWidget *caller);

// Runs the layout editor when the build has one; without one the show the
// editor would have ended is ended.
void runLayoutEditor(RunContext &ctx, const SetupWindowHooks &hooks);

// Runs a click handler: a failure of the presentation program is told to
// the user and ends the run.
void guardedClick(RunContext &ctx, const std::function<void()> &handler);

// The folder of the active presentation; dataFolder when it cannot be read.
std::string presentationFolder(RunContext &ctx);

// Element i of a control array: "NAME(i)".
QString arrayName(const char *name, int index);

// A list widget's items and selection as the core's vote lists see them.
VoteList listItems(const QListWidget *list);
std::vector<bool> selectedRows(const QListWidget *list);
void setListItems(QListWidget *list, const VoteList &items);

} // namespace quiz
