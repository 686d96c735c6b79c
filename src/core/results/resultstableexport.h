#pragma once

#include "core/diagnostics/errortime.h"
#include "core/results/resultsgrid.h"

#include <functional>
#include <string>

namespace quiz
{

class Dialogs;
class WorkbookWriter;

inline constexpr const char *kBuildingWorkbookCaption = "Building Excel Workbook";
inline constexpr const char *kResultsWorkbookFilter = "Microsoft Office Excel Workbook (*.xls)|*.xls";
inline constexpr const char *kInvalidFileTypeTitle = "Invalid File Type";
inline constexpr const char *kConfirmReplaceTitle = "Confirm File Replace";
inline constexpr const char *kFileAccessErrorTitle = "File Access Error";
inline constexpr const char *kCannotOverwriteText = "Cannot overwrite file - Permission denied.";
inline constexpr const char *kResultsExportErrorTitle = "Results Table";

// folder + "/yyyy-mm-dd hh-mm-ss - Votes Summary.xls".
std::string proposedVotesSummaryName(const std::string &folder, const ErrorTime &now);

// The message for a chosen name whose last four characters are not ".XLS" in
// any case ("" when they are): it quotes those four characters.
std::string invalidExtensionMessage(const std::string &chosen);

// One tick of the waiting caption: a dot more while the counter is below 7,
// else the caption starts again; the counter then counts the tick.
std::string pleaseWaitTick(const std::string &caption, std::int16_t &counter);

enum class ResultsExportOutcome { Written, Cancelled, Failed };

struct ResultsExportHooks {
    std::function<void()> prepareWindow; // the waiting caption, controls hidden, busy pointer
    std::function<void()> restoreWindow; // after a failure: the grids and controls back
    std::function<void()> yield;         // once per row written
    ErrorClock clock;                    // the proposed name's time; local time when empty
};

// The results workbook: the save dialog (asked again after a wrong extension
// or No to the replace question), the window prepared, the three worksheets
// streamed through writer into the chosen file (written beside it and renamed
// over it). A cancelled dialog or Cancel leaves everything as it was; a file
// that cannot be replaced, or a failed write, is said in a message box.
// writtenPath receives the file's name when it was written.
ResultsExportOutcome exportResultsWorkbook(const ResultsGrids &grids, const std::string &dataFolder,
                                           Dialogs &dialogs, WorkbookWriter &writer,
                                           const ResultsExportHooks &hooks,
                                           std::string *writtenPath = nullptr);

} // namespace quiz
