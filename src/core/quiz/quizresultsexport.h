#pragma once

#include "core/diagnostics/errortime.h"

#include <functional>
#include <string>

namespace quiz
{

struct RunContext;
class WorkbookWriter;

// Texts and titles of the individual results export.
inline constexpr const char *kExportNoQuizSlides = "There are no quiz slides in this presentation.\r\n"
                                                   "Please export results using \r\n"
                                                   "talvix/Voting Results/Show Results Table";
inline constexpr const char *kExportDefaultTitle = "Quiz"; // the program's own title
inline constexpr const char *kExportSaveTitle = "Please choose a name for the results file";
inline constexpr const char *kExportSaveFilter = "XLS files (*.xls)|*.xls";
inline constexpr const char *kExportReplaceTitle = "Confirm File Replace";
inline constexpr const char *kExportDoneTitle = "talvix Individaul Quiz Export";
inline constexpr const char *kExportDonePrefix = "Individual Quiz results successfully exported to ";

// "yyyy-mm-dd hh-mm-ss - Quiz Results.xls" in folder.
std::string defaultQuizResultsFileName(const std::string &folder, const ErrorTime &now);

// What the export does with the program's windows beside the progress bar
// (ctx.progress) and the dialogs. Every member may be empty.
struct ExportWindowHooks {
    // Loads the progress window, centres it over the presentation program,
    // fades it in and starts its animation.
    std::function<void()> showProgressWindow;
    // Fades the progress window out.
    std::function<void()> hideProgressWindow;
    // The busy (hourglass) pointer on or off.
    std::function<void(bool)> setBusyCursor;
    // The error log that failures are written to; "" for the one beside the
    // program (or in the temporary folder).
    std::string errorLogPath;
    // The clock of the default file name and of error reports; local time when empty.
    ErrorClock clock;
};

// The EXPORT mode: finds the quiz shapes of the presentation (one round
// each), asks for the file, loads the participant names (through ctx.link
// when there is one), builds the individual results workbook round by round
// and saves it with writer, then says so. Every way out enables the
// presentation program's windows and ends the run (endRun): a message and
// exit code 1 when there are no quiz slides or no votes.rec, quietly (0)
// when the user cancels, 0 after the success message. Any other failure is
// written to the error log as an error record (module "Quiz", procedure
// "exportQuizResults"), not shown, and ends the run with exit code 1.
[[noreturn]] void exportQuizResults(RunContext &ctx, WorkbookWriter &writer,
                                    const ExportWindowHooks &hooks = {});

} // namespace quiz
