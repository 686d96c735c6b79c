#pragma once

#include "core/startup/programenvironment.h"

#include <QString>

#include <string>

namespace quiz
{

// Whether a written file may be opened with the desktop's application: only
// for a user at a desktop, so never in an unattended run (TALVIX_OUTPUT), a
// scripted one (TALVIX_DIALOGS, TALVIX_UI_SCRIPT) or with TALVIX_NO_OPEN set,
// without a display, or on the offscreen and minimal platforms.
bool mayOpenDesktopApplication(const ProgramEnvironment &env, const QString &platform);

// Opens a written file with the desktop's application for it when
// mayOpenDesktopApplication allows it.
void openWithDesktopApplication(const std::string &path, const ProgramEnvironment &env);

} // namespace quiz
