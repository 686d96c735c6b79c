#include "ui/setup/setuphooks.h"

#include "core/common/runend.h"
#include "core/setup/votesource.h"
#include "core/startup/runcontext.h"
#include "ports/dialogs.h"
#include "ports/presentationhost.h"

#include <QListWidget>

#include <cstdio>
#include <exception>

namespace quiz
{

AskQuizFileName quizFileAsker(RunContext &ctx, const SetupWindowHooks &hooks, QWidget *caller)
{
    if (hooks.askFileName)
        return [ask = hooks.askFileName, caller](const std::string &preset) { return ask(caller, preset); };
    return [&ctx](const std::string &preset) {
        return ctx.dialogs->saveFile(kSaveDialogTitle, preset, kQuizFilePattern);
    };
}

void runLayoutEditor(RunContext &ctx, const SetupWindowHooks &hooks)
{
    if (hooks.openLayoutEditor) {
        hooks.openLayoutEditor();
        return;
    }
    std::fprintf(stderr, "quiz: the layout editor is not available in this build\n");
    if (ctx.host)
        ctx.host->runMacro("EndShowEdit", {});
}

void guardedClick(RunContext &ctx, const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const RunEnded &) {
        throw;
    } catch (const std::exception &error) {
        if (ctx.dialogs)
            ctx.dialogs->message(error.what(), "Quiz", MessageIcon::Critical, MessageButtons::Ok);
        EndSetupRun(ctx, 1);
    }
}

std::string presentationFolder(RunContext &ctx)
{
    try {
        if (ctx.host) {
            const std::string path = ctx.host->activePresentationPath();
            const size_t slash = path.find_last_of("/\\");
            if (slash != std::string::npos)
                return path.substr(0, slash);
        }
    } catch (const HostError &) {
    }
    return ctx.state.dataFolder;
}

QString arrayName(const char *name, int index)
{
    return QString("%1(%2)").arg(name).arg(index);
}

VoteList listItems(const QListWidget *list)
{
    VoteList items;
    for (int i = 0; i < list->count(); ++i)
        items.push_back(list->item(i)->text().toStdString());
    return items;
}

std::vector<bool> selectedRows(const QListWidget *list)
{
    std::vector<bool> rows;
    for (int i = 0; i < list->count(); ++i)
        rows.push_back(list->item(i)->isSelected());
    return rows;
}

void setListItems(QListWidget *list, const VoteList &items)
{
    list->clear();
    for (const auto &item : items)
        list->addItem(QString::fromStdString(item));
}

} // namespace quiz
