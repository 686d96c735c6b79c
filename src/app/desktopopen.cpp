#include "app/desktopopen.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include <iostream>

namespace quiz
{

bool mayOpenDesktopApplication(const QProcessEnvironment &env, const QString &platform)
{
    const auto set = [&](const char *name) { return !env.value(QString::fromLatin1(name)).isEmpty(); };
    if (set("TALVIX_NO_OPEN") || set("TALVIX_DIALOGS") || set("TALVIX_OUTPUT") || set("TALVIX_UI_SCRIPT"))
        return false;
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY"))
        return false;
    return !platform.isEmpty() && platform != "offscreen" && platform != "minimal";
}

void openWithDesktopApplication(const std::string &path)
{
    const bool gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
    if (!gui ||
        !mayOpenDesktopApplication(QProcessEnvironment::systemEnvironment(), QGuiApplication::platformName()))
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path))))
        std::cerr << "quiz: no application opens " << path << "\n";
}

} // namespace quiz
