#pragma once

// What the office nights share: a fresh profile that listens on the test's
// pipe through the office's own setting (the extension's key, no --accept),
// the environment of the office and of the programs started beside it, and
// the office itself, started on the build's extension.

#include "support/childprocess.h"
#include "support/testfolder.h"

#include <map>
#include <string>

namespace quiz::test
{

// `name` names the controller's socket and the UI script in the folder
// (NAME.sock, NAME.uiscript); `quiz` is the program the office starts.
inline std::map<std::string, std::string> nightEnvironment(const TestFolder &dir, const std::string &display,
                                                           const std::string &connection,
                                                           const std::string &quiz, const std::string &name)
{
    const std::string folder = dir.str();
    dir.write(
        "profile/user/registrymodifications.xcu",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><oor:items "
        "xmlns:oor=\"http://openoffice.org/2001/registry\"><item oor:path=\"/org.openoffice.Setup/Office\">"
        "<prop oor:name=\"ooSetupConnectionURL\" oor:op=\"fuse\"><value>" +
            connection + ";urp;</value></prop></item></oor:items>\n");
    dir.write("dialogs.txt", "");
    return {{"DISPLAY", display},
            {"SAL_USE_VCLPLUGIN", "gen"},
            {"QT_QPA_PLATFORM", ""},
            {"TALVIX_IMPRESS", connection},
            {"TALVIX_QUIZ", quiz},
            {"TALVIX_ADDIN_FOLDER", folder + "/addin"},
            {"TALVIX_CONTROLLER_SOCKET", folder + "/" + name + ".sock"},
            {"TALVIX_UI_SCRIPT", folder + "/" + name + ".uiscript"},
            {"TALVIX_UI_SCRIPT_TIMEOUT", "60000"},
            {"TALVIX_DIALOGS", folder + "/dialogs.txt"},
            {"XDG_RUNTIME_DIR", folder},
            // the test's own UNO types, not the office's
            {"URE_MORE_TYPES", ""}};
}

// The office (without its splash window, whose early focus could end it under
// load) with the build's extension and one document of the folder.
inline Child startNightOffice(const std::string &office, const TestFolder &dir,
                              const std::map<std::string, std::string> &env, const std::string &document)
{
    return Child({office, "-env:UserInstallation=file://" + dir.str() + "/profile",
                  "-env:BUNDLED_EXTENSIONS=file://" QUIZ_BINARY_DIR "/extension/bundled", "--norestore",
                  "--nologo", "--nolockcheck", dir.str() + "/" + document},
                 env);
}

} // namespace quiz::test
