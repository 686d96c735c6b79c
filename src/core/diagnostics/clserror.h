#pragma once

#include "core/diagnostics/errortime.h"

#include <cstdint>
#include <string>

namespace quiz
{

class Dialogs;

// The program's error record. An error handler creates one, copies the error
// into it (StoreErrInfo), adds where it happened (StoreAppInfo) and calls Show,
// which shows the report when asked to and always appends it to the error log.
class clsError
{
  public:
    // The clock gives the time StoreErrInfo records; the local time by default.
    explicit clsError(ErrorClock clock = localTimeNow);

    void setErrNumber(std::int32_t value) { errNumber_ = value; }
    std::int32_t ErrNumber() const { return errNumber_; }
    void setErrDescription(const std::string &value) { errDescription_ = value; }
    const std::string &ErrDescription() const { return errDescription_; }
    void setErrHelpFile(const std::string &value) { errHelpFile_ = value; }
    const std::string &ErrHelpFile() const { return errHelpFile_; }
    void setHelpContext(std::int32_t value) { helpContext_ = value; }
    std::int32_t HelpContext() const { return helpContext_; }
    void setObjectName(const std::string &value) { objectName_ = value; }
    const std::string &ObjectName() const { return objectName_; }
    void setProcedureName(const std::string &value) { procedureName_ = value; }
    const std::string &ProcedureName() const { return procedureName_; }
    void setExtraInfo(const std::string &value) { extraInfo_ = value; }
    const std::string &ExtraInfo() const { return extraInfo_; }
    void setShowUser(bool value) { showUser_ = value; }
    bool ShowUser() const { return showUser_; }

    // The name "App: " shows; the running executable's name without its
    // extension unless set.
    void setAppName(const std::string &value) { appName_ = value; }
    const std::string &AppName() const { return appName_; }
    const ErrorTime &ErrTime() const { return time_; }
    const std::string &Line() const { return line_; }

    // Records the error and the current date and time.
    void StoreErrInfo(std::int32_t number, const std::string &description, const std::string &helpFile = {},
                      std::int32_t helpContext = 0);
    void StoreAppInfo(const std::string &objectName, const std::string &procedureName,
                      const std::string &line, const std::string &extraInfo, bool showUser);

    // The report, lines ended by CR LF.
    std::string Report() const;
    // Shows the report (critical icon, titled with the object name) when
    // ShowUser is set and dialogs are given, then appends it to the log at
    // logPath. Answers whether the log was written.
    bool Show(Dialogs *dialogs, const std::string &logPath) const;

  private:
    ErrorClock clock_;
    std::int32_t errNumber_ = 0;
    std::string errDescription_;
    std::string errHelpFile_;
    std::int32_t helpContext_ = 0;
    ErrorTime time_{};
    std::string objectName_;
    std::string procedureName_;
    std::string line_;
    std::string extraInfo_;
    bool showUser_ = false;
    std::string appName_;
};

} // namespace quiz
