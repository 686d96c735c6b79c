#pragma once

#include "adapters/uiscript/uiactions.h"

#include <string>

class QWidget;

namespace quiz
{

// Chooses the entry (a QAction by object name) in the shown pop-up menu
// `widget`, or in the menu bar of the window `widget`, through the menus' own
// keyboard handling: each menu on the way is opened, the entry made current
// and Return pressed, so that a menu's exec() returns it and the menus'
// triggered signals fire as for a person's choice.
UiPreparedAction prepareMenuEntry(QWidget *widget, const std::string &entry);

} // namespace quiz
