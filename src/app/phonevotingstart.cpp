#include "app/phonevotingstart.h"

#include "adapters/controller/localsocketchannel.h"
#include "adapters/dialogs/makedialogs.h"
#include "core/common/fileutil.h"
#include "core/controller/phonevoting.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace quiz
{

namespace
{

// The connection an office started by the Talvix menu offers (docs/impress.md).
constexpr const char *kDefaultImpressConnection = "pipe,name=talvix_impress";

// The controller: the one in the add-in folder (TALVIX_ADDIN_FOLDER, else
// this program's folder), else `tlxctrl` on PATH; "" when there is none.
QString controllerProgram(const ProgramEnvironment &env)
{
    QString folder = QString::fromStdString(env.addinFolder);
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    const QString beside = QDir(folder).filePath("tlxctrl");
    if (QFileInfo(beside).isExecutable())
        return beside;
    return QStandardPaths::findExecutable("tlxctrl");
}

} // namespace

int runPhoneVoting(const std::string &presentationFolder, const ProgramEnvironment &env)
{
    const std::unique_ptr<Dialogs> dialogs = makeDialogs(env);
    LocalSocketChannel controller(
        LocalSocketChannel::defaultSocketPath(env.controllerSocket, env.runtimeFolder));
    PhoneVotingPlatform platform;
    platform.controllerAnswers = [&controller] { return controller.controllerRunning(); };
    platform.presenterFile = [path = presenterUrlPath(controller.socketPath())] {
        return readTextFile(path);
    };
    platform.startServing = [&presentationFolder, &env](int port, std::string &why) {
        const QString program = controllerProgram(env);
        if (program.isEmpty()) {
            why = "tlxctrl is neither in the add-in folder nor on PATH.";
            return false;
        }
        if (!QDir(QString::fromStdString(presentationFolder)).exists()) {
            why = "the presentation's folder " + presentationFolder + " does not exist.";
            return false;
        }
        // It follows the office as a controller started by a run does: over
        // the connection the environment names, else the office's default.
        const std::string impress = env.impress.empty() ? kDefaultImpressConnection : env.impress;
        QProcess process;
        process.setProgram(program);
        process.setArguments(
            {"--serve", QString::number(port), "--impress", QString::fromStdString(impress)});
        process.setWorkingDirectory(QString::fromStdString(presentationFolder));
        if (!process.startDetached()) {
            why = program.toStdString() + " could not be started.";
            return false;
        }
        return true;
    };
    platform.openAddress = [](const std::string &address) {
        return QProcess::startDetached("xdg-open", {QString::fromStdString(address)});
    };
    platform.waitMs = [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); };
    platform.tell = [&dialogs](const std::string &text) {
        dialogs->message(text, "talvix Quiz", MessageIcon::Exclamation, MessageButtons::Ok);
    };
    return OpenPhoneVoting(platform);
}

} // namespace quiz
