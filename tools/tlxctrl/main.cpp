// tlxctrl: the voting controller stand-in.
//
//   tlxctrl [--names FILE] [--log FILE] [--socket NAME] [--status] [--idle-exit SECONDS]
//           [--impress DESCRIPTION] [--start-show SLIDE]
//           [--serve [ADDRESS:]PORT] [--join-code CODE] [--presenter-token TOKEN] [--qr FILE.png] [--data
//           FOLDER]
//
// Serves the controller's local socket, answers "GetNames" with the names
// list read from a CSV file and logs every command it receives, one a line.
// Each option falls back to an environment variable, since the program
// starts the controller without arguments: TALVIX_NAMES, TALVIX_CONTROLLER_LOG,
// TALVIX_CONTROLLER_SOCKET, TALVIX_CONTROLLER_IDLE_EXIT, TALVIX_IMPRESS.
// Attached to LibreOffice Impress, it moves the show on (showcompanion.h).
// Serving (--serve or TALVIX_SERVE), the audience's phones are its keypads
// (phoneserving.h, docs/phone-voting.md).

#include "controllerserver.h"
#include "phoneserving.h"
#ifdef QUIZ_WITH_IMPRESS
#include "adapters/showcompanion/showcompanion.h"
#endif

#include "core/common/fileutil.h"
#include "core/controller/namescsv.h"
#include "core/controller/socketpath.h"
#include "core/quiz/quizautostart.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QSocketNotifier>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

QString optionOrEnv(const QCommandLineParser &parser, const QString &option, const char *env)
{
    return parser.isSet(option) ? parser.value(option) : qEnvironmentVariable(env);
}

// The names file: the option, then TALVIX_NAMES, then "names.csv" in the
// data folder (--data: where a serving controller saves it), in the current
// folder (the program starts the controller in the data folder),
// beside the executable (the add-in folder), or in the executable's parent.
QString findNamesFile(const QString &given, const QString &dataFolder)
{
    if (!given.isEmpty())
        return given;
    const QString appDir = QCoreApplication::applicationDirPath();
    for (const QString &candidate :
         {QDir(dataFolder.isEmpty() ? QDir::currentPath() : dataFolder).filePath("names.csv"),
          QDir(appDir).filePath("names.csv"), QDir(appDir + "/..").filePath("names.csv")}) {
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return {};
}

// SIGTERM and SIGINT end the event loop, so that the controller cleans up
// (the presenter address file) as when it quits by itself.
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
}

void quitOnSignals(QCoreApplication &app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
    std::signal(SIGTERM, onSignal);
    std::signal(SIGINT, onSignal);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("tlxctrl");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "The voting controller stand-in: answers \"GetNames\" and logs commands.");
    parser.addHelpOption();
    parser.addOption({"names", "Names file (CSV: keypad,name,weighting).", "FILE"});
    parser.addOption({"log", "Log file (appended); standard output when not given.", "FILE"});
    parser.addOption({"socket", "Socket name or full path.", "NAME"});
    parser.addOption({"status", "Send a status block to every client on connecting."});
    parser.addOption({"idle-exit", "Exit after SECONDS without any client.", "SECONDS"});
    parser.addOption({"impress", "Attach to LibreOffice Impress over this UNO connection: move its show on.",
                      "DESCRIPTION"});
    parser.addOption({"start-show", "With --impress: start the show at this slide.", "SLIDE"});
    quiz::PhoneServing::addOptions(parser);
    parser.process(app);
    quitOnSignals(app);

    quiz::ControllerServer::Options options;
    options.socketPath = QString::fromStdString(quiz::controllerSocketPath(
        optionOrEnv(parser, "socket", "TALVIX_CONTROLLER_SOCKET").toStdString(),
        qEnvironmentVariable("XDG_RUNTIME_DIR").toStdString(), QDir::tempPath().toStdString()));
    options.sendStatus = parser.isSet("status");
    options.idleExitSeconds = optionOrEnv(parser, "idle-exit", "TALVIX_CONTROLLER_IDLE_EXIT").toInt();

    const QString givenNames = optionOrEnv(parser, "names", "TALVIX_NAMES");
    const QString namesPath = findNamesFile(givenNames, parser.value("data"));
    if (!namesPath.isEmpty()) {
        QFile names(namesPath);
        if (!names.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "tlxctrl: cannot read %s\n", qPrintable(namesPath));
            return 1;
        }
        options.participants = quiz::readNamesCsv(quiz::decodeText(names.readAll().toStdString()));
    }

    QFile log;
    const QString logPath = optionOrEnv(parser, "log", "TALVIX_CONTROLLER_LOG");
    if (logPath.isEmpty()) {
        if (!log.open(stdout, QIODevice::WriteOnly)) {
            std::fprintf(stderr, "tlxctrl: cannot write to standard output\n");
            return 1;
        }
    } else {
        log.setFileName(logPath);
        if (!log.open(QIODevice::WriteOnly | QIODevice::Append)) {
            std::fprintf(stderr, "tlxctrl: cannot write %s\n", qPrintable(logPath));
            return 1;
        }
    }

    quiz::ControllerServer *serverRef = nullptr;
    const auto logLine = [&serverRef](const std::string &line) {
        if (serverRef)
            serverRef->log(line);
    };
    // Only the QR code of a slide: written, and the program ends.
    const bool serving = parser.isSet("serve") || !qEnvironmentVariable("TALVIX_SERVE").isEmpty();
    int phonesExit = -1;
    if (!serving && parser.isSet("qr")) {
        quiz::PhoneServing::start(parser, options.socketPath, givenNames, {}, logLine, &phonesExit);
        return std::max(phonesExit, 0);
    }
    // The phones are served once the socket is ours (a second controller
    // must not take the presenter address file over).
    std::unique_ptr<quiz::PhoneServing> phones;
    options.currentNames = [&phones, listed = options.participants] {
        return phones ? phones->server().participants() : listed;
    };

    const QString impress = optionOrEnv(parser, "impress", "TALVIX_IMPRESS");
#ifdef QUIZ_WITH_IMPRESS
    // The quiz program that a quiz slide starts: TALVIX_QUIZ, else the one
    // beside this program, else quiz on PATH.
    QString quizProgram = qEnvironmentVariable("TALVIX_QUIZ");
    if (quizProgram.isEmpty())
        quizProgram = QFileInfo::exists(QCoreApplication::applicationDirPath() + "/quiz")
                          ? QCoreApplication::applicationDirPath() + "/quiz"
                          : QStringLiteral("quiz");
    std::unique_ptr<quiz::ShowCompanion> companion;
    if (!impress.isEmpty()) {
        companion = std::make_unique<quiz::ShowCompanion>(impress.toStdString(), quizProgram, logLine);
        companion->onSlideShown([&phones](int slide, const std::string &voteFile, const std::string &title) {
            if (phones)
                phones->server().showSlide(slide, QString::fromStdString(voteFile),
                                           QString::fromStdString(title));
        });
    }
#else
    if (!impress.isEmpty()) {
        std::fprintf(stderr, "tlxctrl: this build has no LibreOffice Impress\n");
        return 1;
    }
#endif

    // "NextSlide" closes the open vote (recorded first), then moves the show.
    options.onCommand = [&](const std::string &command) {
        if (phones && phones->server().voteOpen() && quiz::nextSlideCommandNumber(command))
            phones->server().closeVote();
#ifdef QUIZ_WITH_IMPRESS
        if (companion)
            companion->command(command);
#endif
    };
    quiz::ControllerServer server(options, &log);
    QString error;
    if (!server.listen(&error)) {
        std::fprintf(stderr, "tlxctrl: %s\n", qPrintable(error));
        return 1;
    }
    serverRef = &server;
    if (serving) {
        phones = quiz::PhoneServing::start(parser, options.socketPath, givenNames, options.participants,
                                           logLine, &phonesExit);
        if (!phones)
            return std::max(phonesExit, 1);
    }
#ifdef QUIZ_WITH_IMPRESS
    if (companion)
        companion->start(parser.value("start-show").toInt());
#endif
    std::fprintf(stderr, "tlxctrl: serving %s with %zu names%s%s\n", qPrintable(options.socketPath),
                 options.participants.size(), namesPath.isEmpty() ? "" : " from ", qPrintable(namesPath));
    const int code = app.exec();
    phones.reset();
    return code;
}
