#pragma once

#include "core/run/startup.h"
#include "core/startup/runcontext.h"

#include <memory>
#include <string>

namespace quiz
{

// The error log of this process (errorLogPath with XDG_STATE_HOME and HOME
// from the environment).
std::string processErrorLogPath(const ProgramEnvironment &env);

// The run's ports, backed by this desktop: the stand-in presentation host
// named by the host file and its window system, or LibreOffice Impress and
// X11; the dialogs (scripted when TALVIX_DIALOGS is set), the controller
// socket, the event loop and the progress window. Ends the run silently when
// no presentation program is reached.
class PlatformServices
{
  public:
    PlatformServices(const ProgramEnvironment &env, const std::string &hostFile,
                     const std::string &impressConnection = {});
    ~PlatformServices();
    PlatformServices(const PlatformServices &) = delete;
    PlatformServices &operator=(const PlatformServices &) = delete;

    RunContext &context() { return ctx_; }
    StartupPlatform startupPlatform();

  private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    RunContext ctx_;
};

} // namespace quiz
