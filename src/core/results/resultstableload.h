#pragma once

#include "core/results/groups.h"
#include "core/results/questiontable.h"
#include "core/results/resultsgrid.h"
#include "core/startup/quizstate.h"

#include <functional>
#include <string>
#include <vector>

namespace quiz
{

struct RunContext;

// What the loading results window does for its build.
struct ResultsWindowHooks {
    std::function<void()> show;                       // the window appears, grids hidden
    std::function<void(const std::string &)> caption; // lblLoading's text, repainted
    std::function<void(bool)> busy;                   // the hourglass on or off
    std::function<void()> startShutdownTimer;         // tmr_Shutdown
    std::function<void()> showResults;                // tabView, buttons and menu appear
};

enum class LoadOutcome { Ready, ShuttingDown };

// The results window's load: checks for votes.rec, scans the voting slides,
// builds the three grids (with the participants' names the run was handed)
// and the list of groups. Every other way out ends the run (with its message
// where there is one).
LoadOutcome LoadResultsTable(RunContext &ctx, const std::vector<Participant> &names, ResultsGrids &grids,
                             std::vector<QuestionInfo> &questions, GroupChooser &groups,
                             const ResultsWindowHooks &hooks);

// Whether the data folder holds votes.rec (without it the window shows its
// message and the run ends, no names asked for).
bool resultsTableHasVotes(const RunContext &ctx);

// The folder part of a presentation's path ("" for an unsaved one).
std::string presentationFolderOf(const std::string &presentationPath);

} // namespace quiz
