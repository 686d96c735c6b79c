#include "adapters/dialogs/makedialogs.h"

#include "adapters/dialogs/qtdialogs.h"
#include "adapters/dialogs/scripteddialogs.h"

#include <cstdlib>

namespace quiz
{

std::unique_ptr<Dialogs> makeDialogs()
{
    const char *answers = std::getenv("TALVIX_DIALOGS");
    if (answers && *answers)
        return std::make_unique<ScriptedDialogs>(ScriptedDialogs::fromFile(answers));
    return std::make_unique<QtDialogs>();
}

} // namespace quiz
