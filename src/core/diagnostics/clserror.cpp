#include "core/diagnostics/clserror.h"

#include "core/diagnostics/errorlog.h"
#include "ports/dialogs.h"

#include <utility>

namespace quiz
{

clsError::clsError(ErrorClock clock)
    : clock_(clock ? std::move(clock) : ErrorClock(localTimeNow)),
      appName_(executableBaseName(currentExecutablePath()))
{
}

void clsError::StoreErrInfo(std::int32_t number, const std::string &description, const std::string &helpFile,
                            std::int32_t helpContext)
{
    time_ = clock_();
    errNumber_ = number;
    errDescription_ = description;
    errHelpFile_ = helpFile;
    helpContext_ = helpContext;
}

void clsError::StoreAppInfo(const std::string &objectName, const std::string &procedureName,
                            const std::string &line, const std::string &extraInfo, bool showUser)
{
    objectName_ = objectName;
    procedureName_ = procedureName;
    line_ = line;
    extraInfo_ = extraInfo;
    showUser_ = showUser;
}

std::string clsError::Report() const
{
    const std::string crlf = "\r\n";
    std::string report = "An error has occurred: " + std::string(50, ' ') + crlf + crlf;
    report += "Date: " + formatErrorDate(time_) + crlf;
    report += "Time: " + formatErrorTime(time_) + crlf + crlf;
    report += "Number: " + std::to_string(errNumber_) + crlf;
    report += "Description: " + errDescription_ + crlf + crlf;
    report += "Level: " + objectName_ + crlf;
    report += "Module: " + procedureName_ + crlf;
    report += "Line: " + line_ + crlf;
    report += "App: " + appName_;
    if (!extraInfo_.empty())
        report += crlf + crlf + "Extra Info: " + crlf + crlf + extraInfo_;
    return report;
}

bool clsError::Show(Dialogs *dialogs, const std::string &logPath) const
{
    const std::string report = Report();
    // Logged before the box goes up, so that the report survives whatever
    // happens while the user reads it.
    const bool logged = appendToErrorLog(logPath, report);
    if (showUser_ && dialogs)
        dialogs->message(report, objectName_, MessageIcon::Critical, MessageButtons::Ok);
    return logged;
}

} // namespace quiz
