#include "core/setup/votingslide.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/quiz/quizrounds.h"
#include "core/setup/votesource.h"
#include "core/startup/runcontext.h"
#include "ports/dialogs.h"
#include "ports/presentationhost.h"

namespace quiz
{

namespace
{

const char *const kTitle = "Voting question";

[[noreturn]] void tellAndEnd(RunContext &ctx, const std::string &text, int exitCode)
{
    ctx.dialogs->message(text, kTitle, MessageIcon::Exclamation, MessageButtons::Ok);
    EndSetupRun(ctx, exitCode);
}

} // namespace

std::string VoteShapeProgram(const RunContext &ctx)
{
    return ctx.state.addinFolder + "tlxctrl";
}

VotingSlide FindVotingSlide(RunContext &ctx, bool mustExist)
{
    PresentationHost &host = *ctx.host;
    VotingSlide found;
    HostSlide slide;
    try {
        found.slideIndex = host.selectedSlideIndex();
        if (found.slideIndex < 1 || found.slideIndex > host.slideCount())
            tellAndEnd(ctx, "Select the slide of the question first.", 0);
        slide = host.slide(found.slideIndex);
    } catch (const HostError &error) {
        tellAndEnd(ctx, std::string("The presentation program failed: ") + error.what(), 1);
    }
    found.slideTitle = slide.title;
    found.slideHasText =
        !trim(replaceAll(replaceAll(replaceAll(slide.text, "\r", ""), "\n", ""), "\v", "")).empty();
    for (const HostShape &shape : slide.shapes)
        if (toUpper(shape.name) == "VOTE") {
            found.questionFile = quizFileOfRunString(shape.runString);
            found.shapeNamesFile = !found.questionFile.empty();
            if (const std::string *tag = findIgnoringCase(slide.tags, "QuiztlxName");
                found.questionFile.empty() && tag)
                found.questionFile = *tag;
            break;
        }
    found.existing = !found.questionFile.empty();
    if (!found.existing) {
        if (mustExist)
            tellAndEnd(ctx,
                       "Slide " + std::to_string(found.slideIndex) +
                           " has no voting question. Make one with \"New voting question...\".",
                       0);
        found.questionFile = NewQuestionFileName(ctx.state.dataFolder, found.slideIndex);
    }
    const std::string path = resolveFile(ctx.state.dataFolder, found.questionFile);
    if (FileExists(path)) {
        std::string why;
        const auto question = VotingQuestionOf(readTextFile(path).value_or(""), &why);
        if (!question)
            tellAndEnd(ctx, found.questionFile + " cannot be changed here: " + why + ".", 0);
        found.question = *question;
    } else {
        found.question.title = slide.title;
        found.question.options.assign(4, "");
    }
    return found;
}

bool SaveVotingQuestion(RunContext &ctx, const VotingSlide &slide, const VotingQuestion &question)
{
    if (const std::string problem = QuestionProblem(question); !problem.empty()) {
        ctx.dialogs->message(problem, kTitle, MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    const std::string path = resolveFile(ctx.state.dataFolder, slide.questionFile);
    std::string error;
    if (isReadOnly(path)) {
        ctx.dialogs->message(path + " is read only - the question is not saved", kTitle,
                             MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    if (!writeFileAtomic(path, QuestionFileText(question), &error)) {
        ctx.dialogs->message("The question could not be saved in " + path + ": " + error, kTitle,
                             MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    try {
        PresentationHost &host = *ctx.host;
        if (!slide.shapeNamesFile)
            host.putVoteShape(slide.slideIndex,
                              VoteShapeRunString(VoteShapeProgram(ctx), slide.questionFile));
        if (!slide.slideHasText)
            host.setSlideText(slide.slideIndex, trim(slide.slideTitle).empty() ? question.text : "",
                              NumberedOptionLines(question));
        host.runMacro("FindVoteSlides", {});
    } catch (const HostError &failure) {
        ctx.dialogs->message("The question was saved in " + path +
                                 ", but the slide could not be changed: " + failure.what(),
                             kTitle, MessageIcon::Exclamation, MessageButtons::Ok);
    }
    return true;
}

} // namespace quiz
