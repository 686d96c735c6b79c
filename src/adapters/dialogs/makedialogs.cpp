#include "adapters/dialogs/makedialogs.h"

#include "adapters/dialogs/noscreendialogs.h"
#include "adapters/dialogs/qtdialogs.h"
#include "adapters/dialogs/scripteddialogs.h"
#include "qtsupport/noscreen.h"

namespace quiz
{

std::unique_ptr<Dialogs> makeDialogs(const ProgramEnvironment &env)
{
    if (!env.dialogs.empty())
        return std::make_unique<ScriptedDialogs>(ScriptedDialogs::fromFile(env.dialogs));
    // A UI script answers Qt's dialogs as it answers the windows.
    if (runsWithoutScreen(env) && !env.uiScriptRequested())
        return std::make_unique<NoScreenDialogs>();
    return std::make_unique<QtDialogs>();
}

} // namespace quiz
