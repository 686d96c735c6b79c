#include "app/desktopopen.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include <iostream>

namespace quiz
{

namespace
{

// The desktop's application is started only for a user at a desktop: never in
// tests, scripted runs or without a display.
bool mayOpenDesktopApplication()
{
    if (!qEnvironmentVariableIsEmpty("TALVIX_NO_OPEN") || !qEnvironmentVariableIsEmpty("TALVIX_DIALOGS"))
        return false;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != "offscreen" && platform != "minimal";
}

} // namespace

void openWithDesktopApplication(const std::string &path)
{
    if (!mayOpenDesktopApplication())
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path))))
        std::cerr << "quiz: no application opens " << path << "\n";
}

} // namespace quiz
