#include "app/modes/setupwindowhooks.h"

#include "core/startup/runcontext.h"
#include "qtsupport/noscreen.h"
#include "ui/display/displayrun.h"
#include "ui/display/layouteditorrun.h"
#include "ui/setup/commonsave.h"

#include <cstdio>

namespace quiz
{

SetupWindowHooks programSetupHooks(RunContext &ctx)
{
    SetupWindowHooks hooks;
    hooks.openLayoutEditor = [&ctx] { RunLayoutEditor(ctx); };
    if (ctx.dialogs && ctx.dialogs->onScreen()) {
        hooks.askFileName = [&ctx](QWidget *caller, const std::string &preset) {
            return CommonSave::ask(caller, ctx.state.dataFolder, kQuizFilePattern, preset);
        };
    }
    return hooks;
}

bool cancelWithoutScreen(RunContext &ctx, QWidget *window, const char *pictureName,
                         const std::function<void()> &cancel)
{
    if (!runsWithoutScreen(ctx.environment) || ctx.environment.uiScriptRequested())
        return false;
    const std::string path = ctx.state.dataFolder + "/" + pictureName;
    if (saveWindowPicture(window, path))
        std::printf("%s\n", path.c_str());
    else
        std::fprintf(stderr, "quiz: cannot write %s\n", path.c_str());
    std::fflush(stdout);
    cancel();
    return true;
}

} // namespace quiz
