#include "core/votedata/voterecords.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"

#include <algorithm>
#include <cstring>

namespace quiz
{

std::string_view getFieldView(std::string_view line, int n)
{
    if (n < 1)
        return {};
    size_t start = 0;
    for (int i = 1; i < n; ++i) {
        const size_t comma = line.find(',', start);
        if (comma == std::string_view::npos)
            return {};
        start = comma + 1;
    }
    const size_t end = line.find(',', start);
    std::string_view field =
        line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!field.empty() && field.front() == '"' && field.back() == '"')
        field = field.size() >= 2 ? field.substr(1, field.size() - 2) : std::string_view();
    return field;
}

std::string GetField(std::string_view line, int n)
{
    return std::string(getFieldView(line, n));
}

std::string FileNamePart(std::string_view path)
{
    const size_t separator = path.find_last_of("\\/");
    return toUpper(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::vector<std::string> SplitAnswerString(std::string_view answers)
{
    if (answers.find(';') != std::string_view::npos)
        return split(answers, ";");
    std::vector<std::string> entries;
    entries.reserve(answers.size());
    for (const char c : answers)
        entries.emplace_back(1, c);
    return entries;
}

std::string responseTextOfLine(std::string_view line)
{
    std::string text;
    const size_t pieces = static_cast<size_t>(std::count(line.begin(), line.end(), ',')) + 1;
    if (pieces > 7) {
        // The quoted text held decimal commas: take it whole, from after its
        // opening quote to the next quote.
        size_t comma = std::string_view::npos;
        for (int i = 0; i < 3; ++i)
            comma = line.find(',', comma + 1);
        const size_t start = std::min(comma + 2, line.size());
        const size_t quote = line.find('"', start);
        text = std::string(
            line.substr(start, quote == std::string_view::npos ? std::string_view::npos : quote - start));
        std::replace(text.begin(), text.end(), ',', '.');
    } else {
        text = GetField(line, 4);
    }
    std::replace(text.begin(), text.end(), ',', ';');
    return text;
}

namespace
{

// Calls f(line) for every line of the content; CR LF and LF end a line.
template <typename F> void forEachLine(std::string_view content, F &&f)
{
    size_t start = 0;
    while (start < content.size()) {
        const void *nl = std::memchr(content.data() + start, '\n', content.size() - start);
        const size_t end =
            nl ? static_cast<size_t>(static_cast<const char *>(nl) - content.data()) : content.size();
        std::string_view line = content.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        f(line);
        start = end + 1;
    }
}

// The last line of each question, by key.
std::unordered_map<std::string, std::string_view> lastLines(std::string_view content)
{
    std::unordered_map<std::string, std::string_view> last;
    forEachLine(content, [&](std::string_view line) { last[FileNamePart(getFieldView(line, 1))] = line; });
    return last;
}

} // namespace

VoteRecords VoteRecords::fromContent(const std::string *votes, const std::string *responses)
{
    VoteRecords records;
    if (votes) {
        records.votesPresent_ = true;
        for (const auto &[key, line] : lastLines(*votes))
            records.answers_.emplace(key, getFieldView(line, 4));
    }
    if (responses) {
        records.responsePresent_ = true;
        for (const auto &[key, line] : lastLines(*responses))
            records.responses_.emplace(key, responseTextOfLine(line));
    }
    return records;
}

VoteRecords VoteRecords::load(const std::string &dataFolder)
{
    const auto readIfThere = [&](const char *name) -> std::optional<std::string> {
        const std::string path = resolveFile(dataFolder, name);
        if (!FileExists(path))
            return std::nullopt;
        return readTextFile(path).value_or(std::string());
    };
    const std::optional<std::string> votes = readIfThere("votes.rec");
    const std::optional<std::string> responses = readIfThere("response.rec");
    return fromContent(votes ? &*votes : nullptr, responses ? &*responses : nullptr);
}

const std::string &VoteRecords::answers(std::string_view questionPath) const
{
    static const std::string none;
    const auto it = answers_.find(FileNamePart(questionPath));
    return it == answers_.end() ? none : it->second;
}

const std::string *VoteRecords::responseText(std::string_view questionPath) const
{
    const auto it = responses_.find(FileNamePart(questionPath));
    return it == responses_.end() ? nullptr : &it->second;
}

std::vector<std::string> VoteRecords::votedQuestions() const
{
    std::vector<std::string> keys;
    keys.reserve(answers_.size());
    for (const auto &entry : answers_)
        keys.push_back(entry.first);
    std::sort(keys.begin(), keys.end());
    return keys;
}

std::string LookUpVotes(QuizState &state, const VoteRecords &records, const std::string &questionPath)
{
    std::string result = records.answers(questionPath);
    state.responseRecPresent = records.responseFilePresent();
    if (!state.responseRecPresent)
        return result;
    if (const std::string *text = records.responseText(questionPath))
        state.questionResponseText = *text;
    return result;
}

} // namespace quiz
