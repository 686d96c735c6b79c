#pragma once

#include "core/startup/programenvironment.h"
#include "ports/presentationhost.h"
#include "ports/windowsystem.h"

#include <memory>
#include <optional>
#include <string>

namespace quiz
{

// Picks the toolkit's platform before the application object exists, unless
// QT_QPA_PLATFORM says: off screen without any display; X11 (XWayland under
// Wayland) when the run works beside a real presentation program, whose
// windows it must stack, shield and grab the pointer over.
void chooseToolkitPlatform(const std::string &hostFile, const ProgramEnvironment &env);

// The presentation program and the desktop's windows that a run works with.
struct PresentationPlatform {
    std::unique_ptr<PresentationHost> host;
    std::unique_ptr<WindowSystem> windows;
};

// The one place that picks them: the stand-in host and its window system when
// a host file is named (--host FILE or TALVIX_HOST); otherwise the X11 window
// system beside LibreOffice Impress, reached over the UNO connection
// impressConnection (--impress, else TALVIX_IMPRESS, else its default). Ends
// the run silently, saying why on standard error, when either is missing.
// env: the X display to open (DISPLAY) and the add-in folder.
PresentationPlatform choosePresentationPlatform(const std::string &hostFile, const std::string &programPath,
                                                const std::string &impressConnection,
                                                const ProgramEnvironment &env);

} // namespace quiz
