#include "app/presentationplatform.h"

#include "adapters/standinhost/standinhost.h"
#include "adapters/standinhost/standinwindowsystem.h"
#include "adapters/x11/x11windowsystem.h"
#ifdef QUIZ_WITH_IMPRESS
#include "adapters/impress/impressunohost.h"
#endif
#include "core/common/runend.h"

#include <cstdlib>

namespace quiz
{

namespace
{

PresentationPlatform standInPlatform(const std::string &path, const std::string &programPath)
{
    std::string error;
    std::unique_ptr<StandInHost> host = StandInHost::open(path, &error);
    if (!host)
        endRun(0, "no presentation program: " + error);
    host->setProgramPath(programPath);
    PresentationPlatform platform;
    platform.windows = std::make_unique<StandInWindowSystem>(*host);
    platform.host = std::move(host);
    return platform;
}

} // namespace

void chooseToolkitPlatform(const std::string &hostFile, const ProgramEnvironment &env)
{
    if (env.toolkitPlatformSet)
        return;
    const std::string x11 = env.display.value_or("");
    const bool hasX11 = !x11.empty();
    if (!hasX11 && !env.wayland)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    else if (hasX11 && hostFile.empty())
        // A display that cannot be opened would stop the toolkit before the
        // window system can say so.
        setenv("QT_QPA_PLATFORM", XcbConnection::open(x11.c_str(), nullptr) ? "xcb" : "offscreen", 1);
}

PresentationPlatform choosePresentationPlatform(const std::string &hostFile, const std::string &programPath,
                                                const std::string &impressConnection,
                                                const ProgramEnvironment &env)
{
    if (!hostFile.empty())
        return standInPlatform(hostFile, programPath);

    std::string error;
    PresentationPlatform platform;
    platform.windows = X11WindowSystem::open(env.display ? env.display->c_str() : nullptr, &error);
    if (!platform.windows)
        endRun(0,
               error +
                   ": the presentation program's windows are reached through X11 (XWayland under Wayland)");
#ifdef QUIZ_WITH_IMPRESS
    const std::string description = ImpressHost::connectionDescription(impressConnection, env.impress);
    auto impress = std::make_unique<ImpressHost>(description);
    impress->setProgramPath(programPath);
    impress->setAddinFolder(env.addinFolder);
    if (!impress->attach())
        endRun(0, "no presentation program: " + impress->attachError() +
                      "; or name a host file with --host FILE or TALVIX_HOST");
    // The controller this run starts attaches to the same office.
    setenv("TALVIX_IMPRESS", description.c_str(), 1);
    platform.host = std::move(impress);
    return platform;
#else
    (void)impressConnection;
    endRun(0, "no presentation program: this build has no LibreOffice Impress; name a host file with "
              "--host FILE or TALVIX_HOST");
#endif
}

} // namespace quiz
