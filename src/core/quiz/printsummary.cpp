#include "core/quiz/printsummary.h"

#include "core/common/fileutil.h"
#include "core/common/runend.h"
#include "core/common/text.h"
#include "core/quiz/answerrule.h"
#include "core/quiz/correctanswer.h"
#include "core/quiz/lookupvotes.h"
#include "core/startup/runcontext.h"
#include "core/votedata/participants.h"
#include "core/votedata/voterecords.h"
#include "ports/dialogs.h"

#include <algorithm>
#include <cmath>

namespace quiz
{

namespace
{

size_t characterCount(const std::string &text)
{
    size_t count = 0;
    for (const unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++count;
    return count;
}

} // namespace

RightAnswerCounts CountRightAnswers(const std::vector<SummaryQuestion> &questions,
                                    const std::vector<int> &validKeypads)
{
    RightAnswerCounts counts;
    for (const SummaryQuestion &q : questions) {
        if (q.answers.empty())
            continue;
        ++counts.questionCount;
        const size_t keypads = keypadCountOf(q.answers);
        counts.keypadCount = static_cast<int>(keypads);
        if (counts.right.size() < keypads)
            counts.right.resize(keypads, 0);

        const RightOptions right(q.correctAnswer, q.answers);
        forEachAnswer(q.answers, [&](size_t i, std::string_view entry) {
            const size_t keypad = i + 1;
            if (keypad < validKeypads.size() && validKeypads[keypad] == 1 &&
                right.contains(answerOption(entry)))
                ++counts.right[i];
        });
    }
    return counts;
}

std::string summaryPercentage(int right, int questionCount)
{
    if (questionCount <= 0)
        return "0%";
    const double share = static_cast<double>(right) / questionCount * 100.0;
    double whole = std::floor(share);
    const double rest = share - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0))
        whole += 1;
    return std::to_string(static_cast<long long>(whole)) + "%";
}

int summaryPercentageColumnFor(const std::string &name)
{
    const size_t length = characterCount(name);
    if (length < static_cast<size_t>(summaryPercentageColumn))
        return summaryPercentageColumn;
    if (length < static_cast<size_t>(summaryLongNamePercentageColumn))
        return summaryLongNamePercentageColumn;
    // Longer names keep two blanks before the percentage.
    return static_cast<int>(length) + 2;
}

PrintDocument ScoreSummaryDocument(const RightAnswerCounts &counts,
                                   const std::function<std::string(int)> &nameOf)
{
    PrintDocument doc;
    doc.title = kSummaryPrintTitle;
    doc.fontSize = 12;
    const auto line = [](const std::string &name, int percentageColumn, const std::string &percentage,
                         const std::string &fraction) {
        return PrintLine{
            {{0, name}, {percentageColumn, percentage}, {percentageColumn + summaryColumnGap, fraction}}};
    };
    doc.lines.push_back(line("Name/", summaryPercentageColumn, "Percentage", "Total score/"));
    doc.lines.push_back(line("keypad", summaryPercentageColumn, "correct", "possible score"));
    doc.lines.push_back(PrintLine{});
    for (int i = 0; i < counts.keypadCount; ++i) {
        const std::string name = nameOf(i + 1);
        const int right = counts.rightOf(i);
        doc.lines.push_back(line(name, summaryPercentageColumnFor(name),
                                 summaryPercentage(right, counts.questionCount),
                                 std::to_string(right) + "/" + std::to_string(counts.questionCount)));
    }
    return doc;
}

void PrintScoreSummary(RunContext &ctx, const std::vector<std::string> &quizList, Printer &printer)
{
    QuizState &state = ctx.state;
    const std::string votesPath = resolveFile(state.dataFolder, "votes.rec");
    if (!FileExists(votesPath)) {
        ctx.dialogs->message("Could not find " + joinPath(state.dataFolder, "votes.rec"),
                             kSummaryMessageTitle, MessageIcon::None, MessageButtons::Ok);
        endRun(1, "no votes.rec in " + state.dataFolder);
    }

    const std::optional<PrintTarget> target = ctx.dialogs->print(kSummaryPrintTitle);
    if (!target)
        endRun(0);

    std::vector<std::string> paths;
    std::vector<SummaryQuestion> questions;
    for (const std::string &name : quizList) {
        const std::string path = resolveFile(state.dataFolder, name);
        if (!FileExists(path))
            continue;
        paths.push_back(path);
        questions.push_back({ReadCorrectAnswer(path), {}});
    }
    const VoteRecords votes = VoteRecords::load(state.dataFolder, paths);
    for (size_t q = 0; q < questions.size(); ++q)
        questions[q].answers = LookUpVotes(state, votes, paths[q]);

    const RightAnswerCounts counts = CountRightAnswers(questions, state.validKeypads);
    const PrintDocument doc = ScoreSummaryDocument(
        counts, [&state](int keypad) { return GetParticipantName(state.participants, keypad); });
    const std::string error = printer.print(doc, *target);
    if (!error.empty())
        endRun(1, "the score summary was not printed: " + error);
}

} // namespace quiz
