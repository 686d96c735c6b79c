#pragma once

#include <optional>
#include <string>

namespace quiz
{

// What the program takes from its environment. The program reads it once at
// its start (src/app/environment.cpp) and hands the values down; nothing
// below reads the environment itself. Where a variable set to "" differs from
// one not set, the field is optional.
struct ProgramEnvironment {
    std::string hostFile;               // TALVIX_HOST
    std::string output;                 // TALVIX_OUTPUT
    std::string startFolder;            // PWD
    std::string dialogs;                // TALVIX_DIALOGS
    std::string uiScript;               // TALVIX_UI_SCRIPT
    std::string uiScriptTimeout;        // TALVIX_UI_SCRIPT_TIMEOUT
    std::string noOpen;                 // TALVIX_NO_OPEN
    std::optional<std::string> trace;   // TALVIX_TRACE
    std::optional<std::string> display; // DISPLAY
    std::optional<std::string> wayland; // WAYLAND_DISPLAY
    bool toolkitPlatformSet = false;    // QT_QPA_PLATFORM
    std::string controllerSocket;       // TALVIX_CONTROLLER_SOCKET
    std::string runtimeFolder;          // XDG_RUNTIME_DIR
    std::string stateHome;              // XDG_STATE_HOME
    std::string home;                   // HOME
    std::string addinFolder;            // TALVIX_ADDIN_FOLDER
    std::string impress;                // TALVIX_IMPRESS

    // A UI script is named for this run.
    bool uiScriptRequested() const { return !uiScript.empty(); }
};

} // namespace quiz
