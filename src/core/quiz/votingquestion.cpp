#include "core/quiz/votingquestion.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/writeformat.h"
#include "core/quiz/correctanswer.h"
#include "core/quiz/questionweightings.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quiz
{

namespace
{

// The options' chart colours (blue-green-red), as the Talvix tools colour them.
constexpr std::array<long long, kMaxQuestionOptions> kOptionColours = {
    16711680, 65280, 255, 65535, 16776960, 16711935, 8421504, 32768, 128, 8388608};
constexpr int kDefaultCountdown = 30;
constexpr double kMaxWeight = 1000;
constexpr int kMaxCountdown = 3600;

double weightOf(const VotingQuestion &q, size_t option)
{
    return option < q.weights.size() ? q.weights[option] : 1.0;
}

bool weightsAllOne(const VotingQuestion &q)
{
    for (size_t i = 0; i < q.options.size(); ++i)
        if (weightOf(q, i) != 1.0)
            return false;
    return true;
}

} // namespace

std::string QuestionFileText(const VotingQuestion &q)
{
    std::string out;
    const int count = static_cast<int>(q.options.size());
    WriteRecord()
        .integer(2)
        .integer(count)
        .integer(0)
        .text(q.title)
        .text(q.text)
        .text("Single")
        .text("Bar")
        .integer(0)
        .text("")
        .appendLineTo(out);
    for (int i = 0; i < count; ++i)
        WriteRecord()
            .text(q.options[size_t(i)])
            .integer(kOptionColours[size_t(i) % kOptionColours.size()])
            .integer(0)
            .appendLineTo(out);
    WriteRecord().text("Arial").integer(24).integer(0).appendLineTo(out);
    WriteRecord().text("Bar").integer(16777215).flag(true).appendLineTo(out);
    WriteRecord()
        .integer(q.countdownSeconds > 0 ? q.countdownSeconds : kDefaultCountdown)
        .flag(q.countdownSeconds > 0)
        .integer(0)
        .appendLineTo(out);
    WriteRecord().text(q.correctAnswer).flag(!q.correctAnswer.empty()).appendLineTo(out);
    WriteRecord()
        .flag(true)
        .integer(0)
        .text("Percent")
        .integer(0)
        .integer(0)
        .flag(true)
        .flag(true)
        .integer(0)
        .appendLineTo(out);
    WriteRecord().integer(1).integer(1).appendLineTo(out);
    if (!weightsAllOne(q)) {
        // Entries 0..10 by option number: entry 0 and the options past the
        // last weigh 0, so that the largest weight is the options' own.
        std::string list = "0";
        for (int option = 1; option <= kMaxQuestionOptions; ++option)
            list += "," + formatNumber(option <= count ? weightOf(q, size_t(option - 1)) : 0.0);
        WriteRecord().text("QUESTION WEIGHTINGS").text(list).appendLineTo(out);
    }
    return out;
}

std::optional<VotingQuestion> VotingQuestionOf(const std::string &content, std::string *why)
{
    const auto refuse = [why](const std::string &reason) -> std::optional<VotingQuestion> {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    ItemReader reader(content);
    std::string header[9];
    for (std::string &item : header) {
        const auto value = reader.next();
        if (!value)
            return refuse("the file ends before its options");
        item = *value;
    }
    const int count = leadingInt(header[1]);
    const int type = leadingInt(header[2]);
    if ((type >= 6 && type <= 8) || type < 0 || type > 14 || leadingInt(header[7]) == 2)
        return refuse("it is a series, ranking or text question, which the editor does not make");
    if (count < kMinQuestionOptions || count > kMaxQuestionOptions)
        return refuse("it has " + std::to_string(count) + " options; the editor makes 2 to 10");
    VotingQuestion q;
    q.title = header[3];
    q.text = header[4];
    for (int i = 0; i < count; ++i) {
        const auto text = reader.next();
        reader.next();
        reader.next();
        if (!text)
            return refuse("the file ends before its options");
        q.options.push_back(*text);
    }
    for (int i = 0; i < 6; ++i) // font and chart lines
        reader.next();
    const int seconds = reader.nextInt().value_or(0);
    const bool countdownOn = reader.nextFlag().value_or(false);
    q.countdownSeconds = countdownOn ? std::max(seconds, 0) : 0;
    q.correctAnswer = CorrectAnswerOf(content);
    std::array<double, 13> weights{};
    QuestionWeightingsOf(content, weights);
    for (int option = 1; option <= count; ++option)
        q.weights.push_back(weights[size_t(option)]);
    if (weightsAllOne(q))
        q.weights.clear();
    return q;
}

std::string QuestionProblem(const VotingQuestion &q)
{
    const int count = static_cast<int>(q.options.size());
    if (count < kMinQuestionOptions || count > kMaxQuestionOptions)
        return "A question has 2 to 10 options.";
    if (trim(q.text).empty())
        return "Type the question.";
    for (int i = 0; i < count; ++i)
        if (trim(q.options[size_t(i)]).empty())
            return "Type the text of option " + std::to_string(i + 1) + ".";
    for (const int option : OptionsOfCorrectAnswer(q.correctAnswer))
        if (option > count)
            return "Option " + std::to_string(option) + " is marked right but the question has " +
                   std::to_string(count) + " options.";
    for (int i = 0; i < count; ++i) {
        const double w = weightOf(q, size_t(i));
        if (!std::isfinite(w) || w < 0 || w > kMaxWeight)
            return "The weight of option " + std::to_string(i + 1) + " must be a number from 0 to 1000.";
    }
    if (q.countdownSeconds < 0 || q.countdownSeconds > kMaxCountdown)
        return "The countdown must be 0 to 3600 seconds.";
    return "";
}

std::string CorrectAnswerOfOptions(const std::vector<int> &options)
{
    std::vector<int> sorted = options;
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::string answer;
    for (const int option : sorted)
        if (option >= 1 && option <= 9)
            answer += static_cast<char>('0' + option);
        else if (option == 10)
            answer += 'x';
    return answer;
}

std::vector<int> OptionsOfCorrectAnswer(const std::string &answer)
{
    std::vector<int> options;
    for (const char c : answer)
        if (c >= '1' && c <= '9')
            options.push_back(c - '0');
        else if (c == 'x' || c == 'X')
            options.push_back(10);
    std::sort(options.begin(), options.end());
    options.erase(std::unique(options.begin(), options.end()), options.end());
    return options;
}

std::string NewQuestionFileName(const std::string &dataFolder, int slideIndex)
{
    const std::string stem = "slide" + std::to_string(slideIndex);
    for (int n = 1;; ++n) {
        const std::string name = stem + (n == 1 ? "" : "-" + std::to_string(n)) + ".tlx";
        if (!FileExists(resolveFile(dataFolder, name)))
            return name;
    }
}

std::string VoteShapeRunString(const std::string &program, const std::string &questionFile)
{
    const std::string shown = program.find(' ') != std::string::npos ? "\"" + program + "\"" : program;
    return shown + " " + questionFile + ",1";
}

std::vector<std::string> NumberedOptionLines(const VotingQuestion &q)
{
    std::vector<std::string> lines;
    for (size_t i = 0; i < q.options.size(); ++i)
        lines.push_back(std::to_string(i + 1) + ". " + q.options[i]);
    return lines;
}

} // namespace quiz
