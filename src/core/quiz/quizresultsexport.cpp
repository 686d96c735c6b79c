#include "core/quiz/quizresultsexport.h"

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/common/savefile.h"
#include "core/controller/loadparticipants.h"
#include "core/diagnostics/clserror.h"
#include "core/diagnostics/errorlog.h"
#include "core/presentationlink/presentationlink.h"
#include "core/quiz/correctanswer.h"
#include "core/quiz/lookupvotes.h"
#include "core/quiz/questionweightings.h"
#include "core/quiz/quizfile.h"
#include "core/quiz/quizresultssheet.h"
#include "core/quiz/quizrounds.h"
#include "core/startup/runcontext.h"
#include "core/votedata/participants.h"
#include "core/votedata/voterecords.h"
#include "ports/dialogs.h"
#include "ports/eventpump.h"
#include "ports/presentationhost.h"
#include "ports/progress.h"
#include "ports/workbookwriter.h"

#include <chrono>
#include <cstdio>
#include <new>
#include <stdexcept>

namespace quiz
{

namespace
{

// A failure of the export with the number its error record carries.
struct ExportFailure {
    int number;
    std::string description;
};

constexpr int kFileAccessError = 75; // the workbook could not be saved
constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;

// Yields to the event loop when asked, at most once every few milliseconds:
// the progress window stays alive without the yields costing the export its
// speed on large meetings.
class ThrottledYield
{
  public:
    explicit ThrottledYield(EventPump *pump) : pump_(pump) {}
    void operator()()
    {
        if (!pump_)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < interval)
            return;
        last_ = now;
        pump_->processEvents();
    }
    static constexpr std::chrono::milliseconds interval{15};

  private:
    EventPump *pump_;
    std::chrono::steady_clock::time_point last_{};
};

// Step 12: the presentation program's windows come back and the run ends.
[[noreturn]] void endExport(RunContext &ctx, int exitCode, std::string reason = {})
{
    try {
        EnablePowerPointWindows(ctx, true);
    } catch (...) {
    }
    endRun(exitCode, std::move(reason));
}

// One round's votes, read from the round's quiz file and the vote records.
ExportRound readRound(RunContext &ctx, const std::string &quizFile, const VoteRecords &votes)
{
    QuizState &state = ctx.state;
    const std::vector<std::string> questions =
        ReadQuizSetupInto(state, resolveFile(state.dataFolder, quizFile));
    ExportRound round;
    round.quizFileName = quizFile;
    for (const std::string &entry : questions) {
        ExportVote &vote = round.votes.emplace_back();
        vote.entry = entry;
        const std::string path = resolveFile(state.dataFolder, entry);
        vote.present = FileExists(path);
        if (!vote.present)
            continue;
        vote.correctAnswer = ReadCorrectAnswer(path);
        vote.answers = LookUpVotes(state, votes, path);
        ReadQuestionWeightings(path, vote.weights);
    }
    return round;
}

} // namespace

std::string defaultQuizResultsFileName(const std::string &folder, const ErrorTime &t)
{
    return datedFileName(folder, t, " - Quiz Results.xls");
}

void exportQuizResults(RunContext &ctx, WorkbookWriter &writer, const ExportWindowHooks &hooks)
{
    QuizState &state = ctx.state;
    Dialogs &dialogs = *ctx.dialogs;
    const ErrorClock clock = hooks.clock ? hooks.clock : ErrorClock(localTimeNow);
    std::string step = "1";
    try {
        if (hooks.showProgressWindow)
            hooks.showProgressWindow();

        step = "2";
        const std::vector<std::string> rounds = FindQuizRounds(*ctx.host, ctx.pump);
        step = "3";
        if (rounds.empty()) {
            dialogs.message(kExportNoQuizSlides, kExportDefaultTitle, MessageIcon::Information,
                            MessageButtons::Ok);
            endExport(ctx, 1, "no quiz slides in the presentation");
        }
        step = "4";
        if (!FileExists(resolveFile(state.dataFolder, "votes.rec"))) {
            dialogs.message("Could not find " + joinPath(state.dataFolder, "votes.rec"), kExportDefaultTitle,
                            MessageIcon::None, MessageButtons::Ok);
            endExport(ctx, 1, "no votes.rec in " + state.dataFolder);
        }

        step = "5";
        SaveQuestions questions;
        questions.askName = [&] {
            return dialogs.saveFile(kExportSaveTitle, defaultQuizResultsFileName(state.dataFolder, clock()),
                                    kExportSaveFilter);
        };
        questions.replaceText = [](const std::string &path) {
            return path + " already exists.\r\n\r\nDo you want to overwrite it?";
        };
        questions.replaceTitle = kExportReplaceTitle;
        questions.noAsksAgain = false;
        const ChosenSave chosen = chooseSaveFile(questions, dialogs);
        if (chosen.choice != SaveChoice::Chosen)
            endExport(ctx, 0);
        const std::string fileName = chosen.path;

        step = "6";
        if (hooks.setBusyCursor)
            hooks.setBusyCursor(true);
        ThrottledYield yield(ctx.pump);
        QuizResultsSheet sheet(std::ref(yield));

        step = "7";
        if (ctx.link && ctx.pump)
            LoadParticipants(state, *ctx.link, *ctx.pump);

        step = "8";
        const VoteRecords votes = VoteRecords::load(state.dataFolder);
        if (ctx.progress)
            ctx.progress->setUpProgressBar(static_cast<float>(rounds.size()));
        for (const std::string &quizFile : rounds) {
            if (ctx.pump)
                ctx.pump->processEvents();
            sheet.addRound(readRound(ctx, quizFile, votes));
            if (ctx.progress)
                ctx.progress->incrementProgressBar();
        }

        step = "9";
        sheet.finish([&state](int keypad) { return GetParticipantName(state.participants, keypad); });

        step = "11";
        // The rows are made while the file is written.
        const std::string error = writer.writeSheets({&sheet}, 0, fileName);
        if (!error.empty())
            throw ExportFailure{kFileAccessError, error};
        if (hooks.hideProgressWindow)
            hooks.hideProgressWindow();
        if (hooks.setBusyCursor)
            hooks.setBusyCursor(false);
        dialogs.message(kExportDonePrefix + fileName, kExportDoneTitle, MessageIcon::Information,
                        MessageButtons::Ok);
        endExport(ctx, 0);
    } catch (const RunEnded &) {
        throw;
    } catch (...) {
        ExportFailure failure{kInternalError, "unknown error"};
        try {
            throw;
        } catch (const ExportFailure &f) {
            failure = f;
        } catch (const HostError &e) {
            failure = {e.number(), e.what()};
        } catch (const std::bad_alloc &e) {
            failure = {kOutOfMemory, "Out of memory"};
        } catch (const std::exception &e) {
            failure = {kInternalError, e.what()};
        } catch (...) {
        }
        clsError record(clock);
        record.StoreErrInfo(failure.number, failure.description);
        record.StoreAppInfo("Quiz", "exportQuizResults", step, "", false);
        record.Show(ctx.dialogs, hooks.errorLogPath.empty() ? errorLogPath(currentExecutablePath(), "", "")
                                                            : hooks.errorLogPath);
        endExport(ctx, 1, "the export failed: " + failure.description);
    }
}

} // namespace quiz
