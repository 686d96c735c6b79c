#include "app/modes/unattendedrun.h"

#include "core/startup/runcontext.h"

#include <cstdlib>

namespace quiz {

UnattendedRun::UnattendedRun(RunContext &ctx)
{
    const char *startFolder = std::getenv("PWD");
    const std::string output = unattendedOutputPath(std::getenv(kOutputVariable), startFolder ? startFolder : "");
    if (output.empty())
        return;
    dialogs_.emplace(output);
    swap_.emplace(ctx.dialogs, &*dialogs_);
}

} // namespace quiz
