#pragma once

#include "core/setup/votelists.h"

#include <functional>
#include <string>

namespace quiz
{

struct RunContext;
class PresentationHost;

// quizslds.txt in the data folder: the question file of every voting slide,
// written by the add-in's "FindVoteSlides".
enum class VoteSlidesFile { Missing, Empty, Present };
VoteSlidesFile voteSlidesFileState(const std::string &dataFolder);

// What "FindVoteSlides" writes into quizslds.txt, for every presentation
// program: for each slide in order, the question file of its first "VOTE"
// shape (any case) that names one, by the file its click action's run string
// names, else by the slide's "QuiztlxName" tag; one quoted item a line, CR LF
// ended. May throw HostError.
std::string VoteSlidesText(PresentationHost &host);

// The non-empty items of quizslds.txt, in order, that are not in `exclude`
// (ignoring case) and whose question file has a correct answer.
VoteList QuizCandidateVotes(const std::string &dataFolder, const VoteList &exclude = {});

// The set-up form's vote list: runs "FindVoteSlides" when quizslds.txt is
// missing; without the file, or with an empty one, tells the user (not in a
// DISPLAY run), writes the insert-complete marker in an INSERT run, and ends
// the run with QuitQuiz. Otherwise the votes with a correct answer.
VoteList AddVotesToList(RunContext &ctx);

// The wizard's vote list: without quizslds.txt, or with an empty one, tells
// the user and ends the run; otherwise the candidate votes not yet in the quiz.
VoteList WizardVotes(RunContext &ctx, const VoteList &inQuiz);

// Ends a set-up run: the presentation program gets its windows back.
[[noreturn]] void EndSetupRun(RunContext &ctx, int exitCode = 0);

} // namespace quiz
