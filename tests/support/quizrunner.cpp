#include "support/quizrunner.h"

#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>

#include <filesystem>
#include <fstream>
#include <iterator>

#ifndef QUIZ_BINARY_DIR
#error "QUIZ_BINARY_DIR must be defined"
#endif
#ifndef QUIZ_DEMO_DIR
#error "QUIZ_DEMO_DIR must be defined"
#endif

namespace quiz::test
{

namespace fs = std::filesystem;

QuizRunner::QuizRunner()
{
    fs::copy(QUIZ_DEMO_DIR, folder_.path(),
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const fs::path controller = controllerBinary();
    if (fs::exists(controller)) {
        fs::create_directories(folder_.path() / "addin");
        fs::copy_file(controller, folder_.path() / "addin" / "tlxctrl", fs::copy_options::overwrite_existing);
    }
    env_["TALVIX_CONTROLLER_SOCKET"] = folder_.str() + "/controller.sock";
    env_["TALVIX_NO_OPEN"] = "1";
    // Each run has its own runtime folder, so runs in parallel never take
    // each other for a previous instance.
    env_["XDG_RUNTIME_DIR"] = folder_.str();
    env_["TALVIX_CONTROLLER_LOG"] = folder_.str() + "/controller.log";
    env_["TALVIX_CONTROLLER_IDLE_EXIT"] = "20";
    env_["QT_QPA_PLATFORM"] = "offscreen";
}

QJsonObject QuizRunner::host() const
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(hostJson())).object();
}

std::string dialogField(const std::string &line, const char *key)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(line))
        .object()
        .value(QLatin1String(key))
        .toString()
        .toStdString();
}

namespace
{

// The lines of a file that are not empty, without their CR.
std::vector<std::string> linesOf(const fs::path &path)
{
    std::vector<std::string> lines;
    std::ifstream file(path, std::ios::binary);
    for (std::string line; std::getline(file, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

} // namespace

std::vector<std::string> QuizRunner::controllerLog() const
{
    return linesOf(folder_.path() / "controller.log");
}

QuizRunResult QuizRunner::run(const std::vector<std::string> &words, const std::vector<std::string> &answers,
                              int timeoutMs)
{
    const std::string dialogs = folder_.str() + "/dialogs.txt";
    {
        std::ofstream out(dialogs, std::ios::binary | std::ios::trunc);
        for (const auto &a : answers)
            out << a << "\n";
    }
    fs::remove(dialogs + ".log");

    QProcess process;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("TALVIX_DIALOGS", QString::fromStdString(dialogs));
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    for (const auto &[k, v] : env_)
        env.insert(QString::fromStdString(k), QString::fromStdString(v));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(folder_.str()));
    QStringList args{impress_.empty() ? "--host" : "--impress",
                     QString::fromStdString(impress_.empty() ? hostPath() : impress_)};
    for (const auto &w : words)
        args << QString::fromStdString(w);
    process.start(QString::fromStdString(quizBinary()), args);

    QuizRunResult result;
    if (!process.waitForStarted(10000))
        return result;
    result.finished = process.waitForFinished(timeoutMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished(5000);
    }
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    result.dialogLog = linesOf(dialogs + ".log");
    return result;
}

} // namespace quiz::test
