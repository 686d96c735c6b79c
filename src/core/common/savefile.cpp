#include "core/common/savefile.h"

#include "core/common/fileutil.h"

namespace quiz
{

ChosenSave chooseSaveFile(const SaveQuestions &q, Dialogs &dialogs)
{
    for (;;) {
        const std::optional<std::string> name = q.askName();
        if (!name || name->empty())
            return {};
        const std::optional<std::string> path = q.pathFor ? q.pathFor(*name) : name;
        if (!path)
            continue;
        const std::string existing = q.ignoreCase ? resolvePath(*path) : *path;
        if (FileExists(existing) && (!q.askBeforeReplacing || q.askBeforeReplacing(*path))) {
            const MessageAnswer answer = dialogs.message(q.replaceText(*path), q.replaceTitle,
                                                         MessageIcon::Question, q.replaceButtons);
            if (answer == MessageAnswer::No && q.noAsksAgain)
                continue;
            if (answer != MessageAnswer::Yes)
                return {};
            if (q.cannotReplace && q.cannotReplace(existing)) {
                dialogs.message(q.refusalText, q.refusalTitle, q.refusalIcon, MessageButtons::Ok);
                return {SaveChoice::Refused, {}};
            }
        }
        // The file of another case would stay beside the new one: it goes now.
        if (existing != *path && FileExists(existing))
            removeFile(existing);
        return {SaveChoice::Chosen, *path};
    }
}

} // namespace quiz
