#include "core/quiz/calculatescores.h"

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/quiz/correctanswer.h"
#include "core/quiz/questionweightings.h"
#include "core/quiz/quizrecord.h"
#include "core/startup/runcontext.h"
#include "core/votedata/participants.h"
#include "core/votedata/voterecords.h"
#include "ports/dialogs.h"

namespace quiz
{

namespace
{

[[noreturn]] void noVotingResults(RunContext &ctx)
{
    if (ctx.dialogs)
        ctx.dialogs->message("Could not find voting results", kScoringTitle, MessageIcon::None,
                             MessageButtons::Ok);
    endRun(0, "no votes.rec in " + ctx.state.dataFolder);
}

// The quiz's question files that exist, and what each of them asks.
struct QuestionFiles {
    std::vector<std::string> paths;
    std::vector<QuestionInput> questions;
};

QuestionFiles readQuestionFiles(const QuizState &state, const std::vector<std::string> &quizList)
{
    QuestionFiles files;
    for (const std::string &name : quizList) {
        const std::string path = resolveFile(state.dataFolder, name);
        if (!FileExists(path))
            continue;
        files.paths.push_back(path);
        QuestionInput &question = files.questions.emplace_back();
        // One read of the file for both of its parts.
        std::string content = readTextFile(path).value_or(std::string());
        if (state.useWeightings == 1)
            QuestionWeightingsOf(content, question.weights);
        question.correctAnswer = CorrectAnswerOf(std::move(content));
    }
    return files;
}

ScoringRun scoreQuestions(RunContext &ctx, QuestionFiles files, const VoteRecords &votes)
{
    QuizState &state = ctx.state;
    const std::vector<std::string> &paths = files.paths;
    std::vector<QuestionInput> &questions = files.questions;

    if (FileExists(resolveFile(state.dataFolder, "response.rec")))
        state.responseRecPresent = true;
    if (!votes.votesFilePresent())
        noVotingResults(ctx);

    // The lookup of every question, as LookUpVotes does it, without copying
    // the texts: a question without a response record keeps the previous
    // question's text.
    const std::string before = state.questionResponseText;
    std::string_view response = before;
    state.responseRecPresent = votes.responseFilePresent();
    for (size_t q = 0; q < questions.size(); ++q) {
        questions[q].answers = votes.answers(paths[q]);
        if (const std::string *text = state.responseRecPresent ? votes.responseText(paths[q]) : nullptr)
            response = *text;
        questions[q].responseText = response;
    }

    ScoringSettings settings;
    settings.useWeightings = state.useWeightings;
    settings.showNumberOfMaxScorers = state.showNumberOfMaxScorers;
    settings.displayCount = state.displayCount;

    ScoringRun run;
    run.totals = ScoreQuiz(questions, settings, state.validKeypads, ctx.progress);
    state.validKeypads = run.totals.validKeypads;
    state.displayCount = run.totals.displayCount;

    run.ranking = RankKeypads(run.totals);
    run.rows =
        FillDisplayRows(run.ranking, run.totals.possibleMaximum, displayRowSettingsFrom(state),
                        [&state](int keypad) { return GetParticipantName(state.participants, keypad); });
    state.keypadsStartFrom = run.rows.keypadsStartFrom;
    state.questionResponseText = std::string(response);
    return run;
}

} // namespace

ScoringRun CalculateScores(RunContext &ctx, const std::vector<std::string> &quizList)
{
    if (!FileExists(resolveFile(ctx.state.dataFolder, "votes.rec")))
        noVotingResults(ctx);
    // Only the quiz's questions are kept from the records of the meeting.
    return CalculateScores(ctx, quizList, VoteRecords::load(ctx.state.dataFolder, quizList));
}

ScoringRun CalculateScores(RunContext &ctx, const std::vector<std::string> &quizList,
                           const VoteRecords &votes)
{
    return scoreQuestions(ctx, readQuestionFiles(ctx.state, quizList), votes);
}

ScoringRun CalculateScores(RunContext &ctx, const std::vector<std::string> &quizList,
                           const std::shared_future<VoteRecords> &votes)
{
    // The question files are read while the records may still be on their way.
    QuestionFiles files = readQuestionFiles(ctx.state, quizList);
    return scoreQuestions(ctx, std::move(files), votes.get());
}

} // namespace quiz
