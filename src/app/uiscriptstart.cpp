#include "app/uiscriptstart.h"

#include "adapters/uiscript/uiscriptrunner.h"
#include "core/common/runend.h"

#include <cstdlib>
#include <string>

namespace quiz
{

bool uiScriptRequested()
{
    const char *path = std::getenv("TALVIX_UI_SCRIPT");
    return path && *path;
}

std::unique_ptr<UiScriptRunner> startUiScript()
{
    if (!uiScriptRequested())
        return nullptr;
    int timeoutMs = 10000;
    if (const char *timeout = std::getenv("TALVIX_UI_SCRIPT_TIMEOUT")) {
        const int value = std::atoi(timeout);
        if (value > 0)
            timeoutMs = value;
    }
    auto runner = UiScriptRunner::fromFile(
        std::getenv("TALVIX_UI_SCRIPT"),
        [](int exitCode, const std::string &reason) { endRun(exitCode, reason); }, timeoutMs);
    runner->start();
    return runner;
}

} // namespace quiz
