#include "core/results/resultstableexport.h"

#include "core/common/fileutil.h"
#include "core/common/savefile.h"
#include "core/common/text.h"
#include "core/results/resultsworkbook.h"
#include "ports/dialogs.h"
#include "ports/workbookwriter.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace quiz
{

namespace
{

// A file the run may not replace: read-only, or in a folder it cannot write.
bool cannotReplace(const std::string &path)
{
    namespace fs = std::filesystem;
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    return isReadOnly(path) || ::access(folder.c_str(), W_OK) != 0;
}

} // namespace

std::string proposedVotesSummaryName(const std::string &folder, const ErrorTime &t)
{
    return datedFileName(folder, t, " - Votes Summary.xls");
}

std::string invalidExtensionMessage(const std::string &chosen)
{
    const std::string last4 = chosen.size() >= 4 ? chosen.substr(chosen.size() - 4) : chosen;
    if (toUpper(last4) == ".XLS")
        return {};
    return "The extension \"" + last4 + "\" is not a valid Excel file extension";
}

std::string pleaseWaitTick(const std::string &caption, std::int16_t &counter)
{
    std::string next = caption;
    if (counter < 7) {
        next += '.';
    } else {
        next = kBuildingWorkbookCaption;
        counter = 0;
    }
    ++counter;
    return next;
}

ResultsExportOutcome exportResultsWorkbook(const ResultsGrids &grids, const std::string &dataFolder,
                                           Dialogs &dialogs, WorkbookWriter &writer,
                                           const ResultsExportHooks &hooks, std::string *writtenPath)
{
    const ErrorClock clock = hooks.clock ? hooks.clock : ErrorClock(localTimeNow);
    const std::string proposed = proposedVotesSummaryName(dataFolder, clock());
    SaveQuestions saving;
    saving.askName = [&] { return dialogs.saveFile("", proposed, kResultsWorkbookFilter); };
    saving.pathFor = [&](const std::string &chosen) -> std::optional<std::string> {
        const std::string wrong = invalidExtensionMessage(chosen);
        if (wrong.empty())
            return chosen;
        dialogs.message(wrong, kInvalidFileTypeTitle, MessageIcon::Information, MessageButtons::Ok);
        return std::nullopt;
    };
    saving.replaceText = [](const std::string &path) {
        return path + " already exists.\r\n\r\nDo you want to overwrite this file?";
    };
    saving.replaceTitle = kConfirmReplaceTitle;
    saving.replaceButtons = MessageButtons::YesNoCancel;
    saving.cannotReplace = cannotReplace;
    saving.refusalText = kCannotOverwriteText;
    saving.refusalTitle = kFileAccessErrorTitle;
    const ChosenSave chosen = chooseSaveFile(saving, dialogs);
    if (chosen.choice == SaveChoice::Cancelled)
        return ResultsExportOutcome::Cancelled;
    if (chosen.choice == SaveChoice::Refused)
        return ResultsExportOutcome::Failed;
    const std::string &fileName = chosen.path;

    if (hooks.prepareWindow)
        hooks.prepareWindow();
    KeypadResultsSheet keypads(grids.keypadResults, hooks.yield);
    QuestionResultsSheet questions(grids.questionResults, hooks.yield);
    QuestionFullSheet full(grids.questionFull, hooks.yield);
    const std::string error = writer.writeSheets({&keypads, &questions, &full}, 0, fileName);
    if (!error.empty()) {
        if (hooks.restoreWindow)
            hooks.restoreWindow();
        dialogs.message(error, kResultsExportErrorTitle, MessageIcon::Exclamation, MessageButtons::Ok);
        return ResultsExportOutcome::Failed;
    }
    if (writtenPath)
        *writtenPath = fileName;
    return ResultsExportOutcome::Written;
}

} // namespace quiz
