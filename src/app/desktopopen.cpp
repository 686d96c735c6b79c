#include "app/desktopopen.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include <iostream>

namespace quiz
{

bool mayOpenDesktopApplication(const ProgramEnvironment &env, const QString &platform)
{
    if (!env.noOpen.empty() || !env.dialogs.empty() || !env.output.empty() || !env.uiScript.empty())
        return false;
    if (env.display.value_or("").empty() && env.wayland.value_or("").empty())
        return false;
    return !platform.isEmpty() && platform != "offscreen" && platform != "minimal";
}

void openWithDesktopApplication(const std::string &path, const ProgramEnvironment &env)
{
    const bool gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    if (!gui || !mayOpenDesktopApplication(env, QGuiApplication::platformName()))
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path))))
        std::cerr << "quiz: no application opens " << path << "\n";
}

} // namespace quiz
