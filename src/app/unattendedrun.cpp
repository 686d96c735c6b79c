#include "app/unattendedrun.h"

#include "adapters/dialogs/unattendeddialogs.h"
#include "core/startup/runcontext.h"

namespace quiz
{

UnattendedRun::UnattendedRun(RunContext &ctx)
{
    const std::string output =
        unattendedOutputPath(ctx.environment.output.c_str(), ctx.environment.startFolder);
    if (output.empty())
        return;
    dialogs_ = std::make_unique<UnattendedDialogs>(output);
    swap_.emplace(ctx.dialogs, dialogs_.get());
}

UnattendedRun::~UnattendedRun() = default;

} // namespace quiz
