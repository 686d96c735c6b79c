#include "adapters/dialogs/scripteddialogs.h"

#include "core/common/text.h"
#include "qtsupport/dialogconversions.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace quiz
{

namespace
{

const std::string cancelWord = "Cancel";

bool isWord(const std::string &line, const char *word)
{
    return iequals(line, word);
}

// The value after a case-insensitive "prefix:"; nullopt when the line has another form.
std::optional<std::string> valueAfter(const std::string &line, const std::string &prefix)
{
    if (line.size() < prefix.size() || !iequals(std::string_view(line).substr(0, prefix.size()), prefix))
        return std::nullopt;
    return line.substr(prefix.size());
}

} // namespace

std::vector<std::string> readAnswerLines(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    const std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

ScriptedDialogs::ScriptedDialogs(std::vector<std::string> answers) : answers_(answers.begin(), answers.end())
{
}

ScriptedDialogs::ScriptedDialogs(std::vector<std::string> answers, std::string logPath)
    : answers_(answers.begin(), answers.end()), logPath_(std::move(logPath))
{
}

ScriptedDialogs ScriptedDialogs::fromFile(const std::string &answersPath)
{
    return ScriptedDialogs(readAnswerLines(answersPath), answersPath + ".log");
}

std::optional<std::string> ScriptedDialogs::nextAnswer()
{
    if (answers_.empty())
        return std::nullopt;
    std::string line = std::move(answers_.front());
    answers_.pop_front();
    return line;
}

void ScriptedDialogs::record(DialogRecord rec, const std::optional<std::string> &badLine)
{
    if (badLine)
        std::fprintf(stderr, "quiz: scripted answer \"%s\" does not fit the %s dialog \"%s\"; taken as %s\n",
                     badLine->c_str(), rec.kind.c_str(), rec.title.c_str(), rec.answer.c_str());
    if (!logPath_.empty()) {
        std::ofstream log(logPath_, std::ios::binary | std::ios::app);
        log << dialogRecordJson(rec) << '\n';
        if (!log)
            std::fprintf(stderr, "quiz: cannot append to the dialog log %s\n", logPath_.c_str());
    }
    records_.push_back(std::move(rec));
}

MessageAnswer ScriptedDialogs::message(const std::string &text, const std::string &title, MessageIcon icon,
                                       MessageButtons buttons)
{
    MessageAnswer answer = defaultAnswer(buttons);
    std::optional<std::string> bad;
    if (const auto line = nextAnswer()) {
        std::optional<MessageAnswer> given;
        if (isWord(*line, "OK"))
            given = MessageAnswer::Ok;
        else if (isWord(*line, "Cancel"))
            given = MessageAnswer::Cancel;
        else if (isWord(*line, "Yes"))
            given = MessageAnswer::Yes;
        else if (isWord(*line, "No"))
            given = MessageAnswer::No;
        if (given && hasButton(buttons, *given)) {
            answer = *given;
        } else {
            answer = escapeAnswer(buttons);
            bad = line;
        }
    }
    record({"message", title, text, iconWord(icon), buttonsWord(buttons), "", answerWord(answer)}, bad);
    return answer;
}

std::optional<std::string> ScriptedDialogs::input(const std::string &prompt, const std::string &title,
                                                  const std::string &defaultText)
{
    std::optional<std::string> result, bad;
    if (const auto line = nextAnswer()) {
        result = valueAfter(*line, "text:");
        if (!result && !isWord(*line, "Cancel"))
            bad = line;
    }
    record({"input", title, prompt, "none", "", defaultText, result ? "text:" + *result : cancelWord}, bad);
    return result;
}

std::optional<std::string> ScriptedDialogs::fileDialog(const std::string &kind, const std::string &title,
                                                       const std::string &defaultName)
{
    std::optional<std::string> result, bad;
    if (const auto line = nextAnswer()) {
        result = valueAfter(*line, "file:");
        if (!result && isWord(*line, "OK"))
            result = defaultName; // the proposed name accepted
        if (!result && !isWord(*line, "Cancel"))
            bad = line;
    }
    record({kind, title, "", "none", "", defaultName, result ? "file:" + *result : cancelWord}, bad);
    return result;
}

std::optional<std::string> ScriptedDialogs::saveFile(const std::string &title, const std::string &defaultName,
                                                     const std::string &filter)
{
    // A name answered without an extension takes the filter's, as one typed would.
    const std::optional<std::string> chosen = fileDialog("save", title, defaultName);
    return chosen ? std::optional(withDefaultSuffix(*chosen, defaultSuffixOfFilter(filter))) : chosen;
}

std::optional<std::string> ScriptedDialogs::openFile(const std::string &title, const std::string &defaultName,
                                                     const std::string &)
{
    return fileDialog("open", title, defaultName);
}

std::optional<FontChoice> ScriptedDialogs::font(const std::string &title, const FontChoice &initial)
{
    std::optional<FontChoice> result;
    std::optional<std::string> bad;
    if (const auto line = nextAnswer()) {
        if (const auto value = valueAfter(*line, "font:"))
            result = parseFontAnswerValue(*value);
        if (!result && !isWord(*line, "Cancel"))
            bad = line;
    }
    record({"font", title, "", "none", "", "font:" + fontAnswerValue(initial),
            result ? "font:" + fontAnswerValue(*result) : cancelWord},
           bad);
    return result;
}

std::optional<PrintTarget> ScriptedDialogs::print(const std::string &title)
{
    std::optional<PrintTarget> result;
    std::optional<std::string> bad;
    std::string answer = cancelWord;
    if (const auto line = nextAnswer()) {
        if (const auto pdf = valueAfter(*line, "pdf:"); pdf && !pdf->empty()) {
            result = PrintTarget{"", *pdf};
            answer = "pdf:" + *pdf;
        } else if (const auto printer = valueAfter(*line, "printer:"); printer && !printer->empty()) {
            result = PrintTarget{*printer, ""};
            answer = "printer:" + *printer;
        } else if (!isWord(*line, "Cancel")) {
            bad = line;
        }
    }
    record({"print", title, "", "none", "", "", answer}, bad);
    return result;
}

} // namespace quiz
