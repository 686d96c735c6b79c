#include "app/environment.h"

#include <cstdlib>

namespace quiz
{

namespace
{

std::optional<std::string> variable(const char *name)
{
    const char *value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

std::string text(const char *name)
{
    return variable(name).value_or("");
}

} // namespace

ProgramEnvironment readProgramEnvironment()
{
    ProgramEnvironment env;
    env.hostFile = text("TALVIX_HOST");
    env.output = text("TALVIX_OUTPUT");
    env.startFolder = text("PWD");
    env.dialogs = text("TALVIX_DIALOGS");
    env.uiScript = text("TALVIX_UI_SCRIPT");
    env.uiScriptTimeout = text("TALVIX_UI_SCRIPT_TIMEOUT");
    env.noOpen = text("TALVIX_NO_OPEN");
    env.trace = variable("TALVIX_TRACE");
    env.display = variable("DISPLAY");
    env.wayland = variable("WAYLAND_DISPLAY");
    env.toolkitPlatformSet = variable("QT_QPA_PLATFORM").has_value();
    env.controllerSocket = text("TALVIX_CONTROLLER_SOCKET");
    env.runtimeFolder = text("XDG_RUNTIME_DIR");
    env.stateHome = text("XDG_STATE_HOME");
    env.home = text("HOME");
    env.addinFolder = text("TALVIX_ADDIN_FOLDER");
    env.impress = text("TALVIX_IMPRESS");
    return env;
}

} // namespace quiz
