#include "qtsupport/noscreen.h"

#include "core/common/runend.h"

#include <QGuiApplication>

namespace quiz
{

bool runsWithoutScreen(const ProgramEnvironment &env)
{
    if (!env.display && !env.wayland)
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
