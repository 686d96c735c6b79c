#include "adapters/dialogs/makedialogs.h"

#include "adapters/dialogs/noscreendialogs.h"
#include "adapters/dialogs/qtdialogs.h"
#include "adapters/dialogs/scripteddialogs.h"
#include "qtsupport/noscreen.h"

#include <cstdlib>

namespace quiz
{

std::unique_ptr<Dialogs> makeDialogs()
{
    const char *answers = std::getenv("TALVIX_DIALOGS");
    if (answers && *answers)
        return std::make_unique<ScriptedDialogs>(ScriptedDialogs::fromFile(answers));
    // A UI script answers Qt's dialogs as it answers the windows.
    const char *uiScript = std::getenv("TALVIX_UI_SCRIPT");
    if (runsWithoutScreen() && !(uiScript && *uiScript))
        return std::make_unique<NoScreenDialogs>();
    return std::make_unique<QtDialogs>();
}

} // namespace quiz
