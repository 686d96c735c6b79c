#include "qtsupport/noscreen.h"

#include "core/common/runend.h"

#include <QGuiApplication>

#include <cstdlib>

namespace quiz
{

bool runsWithoutScreen()
{
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
        return true;
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

std::string noScreenReason(const std::string &what, const std::string &variableAdvice)
{
    return "no screen to show " + what + " and nothing to answer it: set " + variableAdvice;
}

void endRunWithoutScreen(const std::string &what, const std::string &variableAdvice)
{
    endRun(kNoScreenExitCode, noScreenReason(what, variableAdvice));
}

} // namespace quiz
