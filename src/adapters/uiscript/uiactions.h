#pragma once

#include "core/diagnostics/uiscript.h"

#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace quiz
{

// The widget a NAME stands for: the shown top-level window of that object
// name (a pop-up menu is one too), then each further part searched among the
// previous one's descendants. A null widget comes with what is not there yet.
struct UiTarget {
    QWidget *widget = nullptr;
    std::string missing;
};
UiTarget findUiTarget(const UiAction &action);

// An action checked against its widget: either a fault, or the input that
// performs it. The checks come first so that the action can be logged before
// its input opens a modal loop (a menu's or a dialog's) in which the script
// goes on.
struct UiPreparedAction {
    std::optional<UiScriptFault> fault;
    std::string message;
    std::function<void()> perform;
};
UiPreparedAction prepareUiAction(const UiAction &action, QWidget *widget);

} // namespace quiz
