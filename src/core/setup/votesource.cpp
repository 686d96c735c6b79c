#include "core/setup/votesource.h"

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"
#include "core/phonevote/slidevote.h"
#include "core/presentationlink/presentationlink.h"
#include "core/quiz/correctanswer.h"
#include "core/run/endofrun.h"
#include "core/startup/runcontext.h"
#include "core/startup/workingfiles.h"
#include "ports/dialogs.h"
#include "ports/presentationhost.h"

#include <filesystem>

namespace quiz
{

namespace
{

std::string voteSlidesPath(const std::string &dataFolder)
{
    return resolveFile(dataFolder, "quizslds.txt");
}

std::string missingMessage(const std::string &dataFolder)
{
    return "Could not find " + dataFolder + "/quizslds.txt";
}

} // namespace

VoteSlidesFile voteSlidesFileState(const std::string &dataFolder)
{
    const std::string path = voteSlidesPath(dataFolder);
    if (!FileExists(path))
        return VoteSlidesFile::Missing;
    std::error_code ec;
    return std::filesystem::file_size(path, ec) == 0 && !ec ? VoteSlidesFile::Empty : VoteSlidesFile::Present;
}

std::string VoteSlidesText(PresentationHost &host)
{
    std::string text;
    const int count = host.slideCount();
    for (int index = 1; index <= count; ++index) {
        // one question a slide
        if (const std::string file = voteFileOfSlide(host.slide(index)); !file.empty())
            text += "\"" + file + "\"\r\n";
    }
    return text;
}

VoteList QuizCandidateVotes(const std::string &dataFolder, const VoteList &exclude)
{
    VoteList votes;
    ItemReader reader = ItemReader::fromFile(voteSlidesPath(dataFolder));
    while (!reader.atEnd()) {
        const std::optional<std::string> item = reader.next();
        if (!item || item->empty() || containsIgnoringCase(exclude, *item))
            continue;
        if (!ReadCorrectAnswer(resolveFile(dataFolder, *item)).empty())
            votes.push_back(*item);
    }
    return votes;
}

VoteList AddVotesToList(RunContext &ctx)
{
    QuizState &s = ctx.state;
    if (voteSlidesFileState(s.dataFolder) == VoteSlidesFile::Missing && ctx.host)
        ctx.host->runMacro("FindVoteSlides", {});
    const VoteSlidesFile file = voteSlidesFileState(s.dataFolder);
    if (file != VoteSlidesFile::Present) {
        const std::string mode = toUpper(s.modeWord);
        if (mode != "DISPLAY" && ctx.dialogs)
            ctx.dialogs->message(file == VoteSlidesFile::Missing ? missingMessage(s.dataFolder)
                                                                 : "No voting slides in show!",
                                 "Quiz", MessageIcon::None, MessageButtons::Ok);
        if (mode == "INSERT") {
            if (ctx.windows)
                ClearClipboard(ctx);
            WriteInsertCompleteMarker(s);
        }
        QuitQuiz(ctx);
    }
    return QuizCandidateVotes(s.dataFolder);
}

VoteList WizardVotes(RunContext &ctx, const VoteList &inQuiz)
{
    const VoteSlidesFile file = voteSlidesFileState(ctx.state.dataFolder);
    if (file != VoteSlidesFile::Present) {
        if (ctx.dialogs)
            ctx.dialogs->message(file == VoteSlidesFile::Missing ? missingMessage(ctx.state.dataFolder)
                                                                 : "No voting slides in show!",
                                 "Quiz", MessageIcon::None, MessageButtons::Ok);
        EndSetupRun(ctx);
    }
    return QuizCandidateVotes(ctx.state.dataFolder, inQuiz);
}

void EndSetupRun(RunContext &ctx, int exitCode)
{
    if (ctx.windows) {
        try {
            EnablePowerPointWindows(ctx, true);
        } catch (...) {
        }
    }
    endRun(exitCode);
}

} // namespace quiz
