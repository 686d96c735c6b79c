#include "app/unattendedrun.h"

#include "adapters/dialogs/unattendeddialogs.h"
#include "core/startup/runcontext.h"

#include <cstdlib>

namespace quiz
{

UnattendedRun::UnattendedRun(RunContext &ctx)
{
    const char *startFolder = std::getenv("PWD");
    const std::string output =
        unattendedOutputPath(std::getenv(kOutputVariable), startFolder ? startFolder : "");
    if (output.empty())
        return;
    dialogs_ = std::make_unique<UnattendedDialogs>(output);
    swap_.emplace(ctx.dialogs, dialogs_.get());
}

UnattendedRun::~UnattendedRun() = default;

} // namespace quiz
