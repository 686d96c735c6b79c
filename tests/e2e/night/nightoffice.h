#pragma once

// What the office nights share: a fresh profile that listens on the test's
// pipe through the office's own setting (the extension's key, no --accept),
// the environment of the office and of the programs started beside it, and
// the office itself, started on the build's extension.

#include "support/childprocess.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <unistd.h>
#include <utility>

namespace quiz::test
{

// A night needs the office, xdotool and xwininfo; without them its test is skipped.
#define QUIZ_SKIP_WITHOUT_THE_OFFICE()                                                                       \
    if (access(QUIZ_OFFICE_PROGRAM "/soffice.bin", X_OK) != 0 ||                                             \
        std::system("command -v xdotool >/dev/null && command -v xwininfo >/dev/null") != 0)                 \
    GTEST_SKIP() << "needs LibreOffice Impress, xdotool and xwininfo"

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
inline Child startNightOffice(const TestFolder &dir, const std::map<std::string, std::string> &env,
                              const std::string &document)
{
    return Child({QUIZ_OFFICE_PROGRAM "/soffice.bin",
                  "-env:UserInstallation=file://" + dir.str() + "/profile",
                  "-env:BUNDLED_EXTENSIONS=file://" QUIZ_BINARY_DIR "/extension/bundled", "--norestore",
                  "--nologo", "--nolockcheck", dir.str() + "/" + document},
                 env);
}

// What a command printed, or nothing when it failed.
inline std::string commandOutput(const std::string &command)
{
    std::string out;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (const size_t n = fread(buffer, 1, sizeof buffer, pipe))
            out.append(buffer, n);
        if (pclose(pipe) != 0)
            out.clear();
    }
    return out;
}

// The root's id and a window's parent's (a window manager's frame, or the root), in
// decimal, from what `xwininfo -tree` says of the window.
inline std::pair<std::string, std::string> windowAndParent(const std::string &xwininfoTree)
{
    const auto idAfter = [&](const std::string &label) {
        const size_t at = xwininfoTree.find(label);
        return at == std::string::npos
                   ? std::string("?")
                   : std::to_string(std::stoul(xwininfoTree.substr(at + label.size()), nullptr, 16));
    };
    return {idAfter("Root window id: "), idAfter("Parent window id: ")};
}

// A click on the slide show at (x, y), given when the show is under the
// pointer: the show's window found, the document's window moved aside (without
// a window manager it may come up over the show), the show raised and the
// pointer moved there until the pointer is at (x, y) over the show or its
// frame. False when the show has no window or does not come under the pointer.
inline bool clickTheShow(const std::string &display, int x, int y)
{
    const std::string xdotool = "DISPLAY=" + display + " timeout 10 xdotool ";
    std::string show;
    if (!waitFor(
            [&] {
                show = commandOutput(xdotool + "search --onlyvisible --name '^Presenting: '");
                return !show.empty();
            },
            30))
        return false;
    show.resize(show.find('\n'));
    std::system((xdotool + "search --onlyvisible --name ' - LibreOffice Impress$' windowmove %@ 1100 0 " +
                 ">/dev/null 2>&1")
                    .c_str());
    const std::string point = std::to_string(x) + " " + std::to_string(y);
    const auto underThePointer = [&] {
        if (std::system((xdotool + "windowraise " + show + " mousemove " + point).c_str()) != 0)
            return false;
        const auto [root, frame] =
            windowAndParent(commandOutput("DISPLAY=" + display + " xwininfo -tree -id " + show));
        const std::string at = commandOutput(xdotool + "getmouselocation --shell");
        const std::string place = "X=" + std::to_string(x) + "\nY=" + std::to_string(y) + "\n";
        return at.rfind(place, 0) == 0 &&
               (at.find("WINDOW=" + show + "\n") != std::string::npos ||
                (frame != root && at.find("WINDOW=" + frame + "\n") != std::string::npos));
    };
    // A move within the show before the click, as a hand gives it.
    return waitFor(underThePointer, 10) && std::system((xdotool + "mousemove " + std::to_string(x + 2) + " " +
                                                        std::to_string(y + 2) + " click 1")
                                                           .c_str()) == 0;
}

} // namespace quiz::test
