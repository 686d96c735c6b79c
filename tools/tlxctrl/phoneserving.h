#pragma once

#include "adapters/phone/phoneserver.h"

#include <QCommandLineParser>

#include <memory>

namespace quiz
{

// The controller's phone evening: the --serve, --join-code,
// --presenter-token, --qr and --data options, and the presenter address
// file beside the controller's socket (docs/phone-voting.md).
class PhoneServing
{
  public:
    static void addOptions(QCommandLineParser &parser);

    // nullptr with exit code -1 when nothing is to be served, with 0 when
    // only the QR code was asked for and is written, with 1 and a message on
    // standard error when the options are wrong or the port cannot be served.
    static std::unique_ptr<PhoneServing> start(const QCommandLineParser &parser, const QString &socketPath,
                                               const QString &namesFile, std::vector<Participant> listed,
                                               std::function<void(const std::string &)> log, int *exitCode);
    ~PhoneServing(); // removes the presenter address file

    PhoneServer &server() { return *server_; }

  private:
    std::unique_ptr<PhoneServer> server_;
    QString urlFile_;
    QString url_;
};

} // namespace quiz
