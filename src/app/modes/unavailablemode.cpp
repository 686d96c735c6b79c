#include "app/modes/unavailablemode.h"

#include "core/startup/endofrun.h"
#include "core/startup/runcontext.h"

#include <cstdio>

namespace quiz {

void endUnavailableMode(RunContext &ctx, const char *modeName)
{
    std::fprintf(stderr, "quiz: the %s mode is not available in this build\n", modeName);
    ctx.state.onFinishChoice = 0;
    QuitQuiz(ctx);
}

} // namespace quiz
