#pragma once

namespace quiz {

struct RunContext;

// One handler per run mode. Start-up has done its steps and read nothing of
// the mode's own; each handler does the mode's work. Batch modes end the run
// (endRun) when done; window modes return once their window is up and the run
// then lives in the event loop until the window ends it.
void runSetupMode(RunContext &ctx);
void runWizardMode(RunContext &ctx);
void runDisplayMode(RunContext &ctx);
void runInsertMode(RunContext &ctx);
void runExportMode(RunContext &ctx);
void runResultsTableMode(RunContext &ctx);
void runPrintMode(RunContext &ctx);
void runPartSetupMode(RunContext &ctx);
void runQuestionMode(RunContext &ctx);

} // namespace quiz
