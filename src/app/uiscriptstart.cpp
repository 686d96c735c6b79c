#include "app/uiscriptstart.h"

#include "adapters/uiscript/uiscriptrunner.h"
#include "core/common/runend.h"

#include <cstdlib>
#include <string>

namespace quiz
{

std::unique_ptr<UiScriptRunner> startUiScript(const ProgramEnvironment &env)
{
    if (!env.uiScriptRequested())
        return nullptr;
    int timeoutMs = 10000;
    if (!env.uiScriptTimeout.empty()) {
        const int value = std::atoi(env.uiScriptTimeout.c_str());
        if (value > 0)
            timeoutMs = value;
    }
    auto runner = UiScriptRunner::fromFile(
        env.uiScript, [](int exitCode, const std::string &reason) { endRun(exitCode, reason); }, timeoutMs);
    runner->start();
    return runner;
}

} // namespace quiz
