#include "core/votedata/voterecords.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <memory>
#include <thread>
#include <unistd.h>

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
    // More than seven pieces means at least seven commas; no need to count further.
    size_t commas = 0;
    for (size_t at = line.find(','); at != std::string_view::npos && commas < 7; at = line.find(',', at + 1))
        ++commas;
    if (commas >= 7) {
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
        text = GetField(line, 4); // a field holds no comma
    }
    return text;
}

namespace
{

// Calls f(line) for every line of the file (CR LF and LF end a line; a last
// line without an end counts), reading it in blocks so that the file is never
// held whole. A byte order mark at the start is dropped; a line that is not
// UTF-8 is decoded as Windows-1252. False when the file cannot be opened.
template <typename F> bool forEachFileLine(const std::string &path, F &&f)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const auto emit = [&f](std::string_view line) {
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (isValidUtf8(line))
            f(line);
        else
            f(std::string_view(decodeText(line)));
    };
    constexpr size_t kBlock = 1 << 20;
    std::unique_ptr<char[]> block(new char[kBlock]);
    std::string carry; // the start of a line that runs on into the next block
    bool first = true;
    for (;;) {
        const ssize_t got = ::read(fd, block.get(), kBlock);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        std::string_view data(block.get(), static_cast<size_t>(got));
        if (first) {
            first = false;
            if (data.substr(0, 3) == "\xEF\xBB\xBF")
                data.remove_prefix(3);
        }
        size_t start = 0;
        while (const void *nl = std::memchr(data.data() + start, '\n', data.size() - start)) {
            const size_t end = static_cast<size_t>(static_cast<const char *>(nl) - data.data());
            if (carry.empty()) {
                emit(data.substr(start, end - start));
            } else {
                carry.append(data.substr(start, end - start));
                emit(carry);
                carry.clear();
            }
            start = end + 1;
        }
        carry.append(data.substr(start));
    }
    ::close(fd);
    if (!carry.empty())
        emit(carry);
    return true;
}

// Below this size of response.rec, both files are read on one thread.
constexpr std::uintmax_t kBytesForTwoThreads = 4u << 20;

// Keeps the last line of each wanted question (all questions when wanted is
// empty) in `last`, by key.
void keepLastLines(const std::string &path, const std::unordered_set<std::string> &wanted,
                   std::unordered_map<std::string, std::string> &last)
{
    forEachFileLine(path, [&](std::string_view line) {
        std::string key = FileNamePart(getFieldView(line, 1));
        if (!wanted.empty() && !wanted.count(key))
            return;
        last[std::move(key)].assign(line);
    });
}

} // namespace

VoteRecords VoteRecords::fromContent(const std::string *votes, const std::string *responses)
{
    VoteRecords records;
    const auto lastLines = [](const std::string &content) {
        std::unordered_map<std::string, std::string_view> last;
        size_t start = 0;
        while (start < content.size()) {
            size_t end = content.find('\n', start);
            if (end == std::string::npos)
                end = content.size();
            std::string_view line = std::string_view(content).substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            last[FileNamePart(getFieldView(line, 1))] = line;
            start = end + 1;
        }
        return last;
    };
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

VoteRecords VoteRecords::load(const std::string &dataFolder, const std::vector<std::string> &questionPaths)
{
    std::unordered_set<std::string> wanted;
    for (const std::string &path : questionPaths)
        wanted.insert(FileNamePart(path));
    // An empty list of wanted questions keeps all; a quiz without questions keeps one that cannot occur.
    if (wanted.empty() && !questionPaths.empty())
        wanted.insert(std::string(1, '\0'));
    return loadWanted(dataFolder, wanted);
}

VoteRecords VoteRecords::load(const std::string &dataFolder)
{
    return loadWanted(dataFolder, {});
}

VoteRecords VoteRecords::loadWanted(const std::string &dataFolder,
                                    const std::unordered_set<std::string> &wanted)
{
    VoteRecords records;
    const std::string votesPath = resolveFile(dataFolder, "votes.rec");
    const std::string responsePath = resolveFile(dataFolder, "response.rec");
    records.votesPresent_ = FileExists(votesPath);
    records.responsePresent_ = FileExists(responsePath);
    const auto readVotes = [&] {
        std::unordered_map<std::string, std::string> last;
        keepLastLines(votesPath, wanted, last);
        for (auto &[key, line] : last) {
            records.answers_[key].assign(getFieldView(line, 4));
            std::string().swap(line); // the line's memory goes as its answers are kept
        }
    };
    const auto readResponses = [&] {
        std::unordered_map<std::string, std::string> last;
        keepLastLines(responsePath, wanted, last);
        for (auto &[key, line] : last) {
            records.responses_[key] = responseTextOfLine(line);
            std::string().swap(line);
        }
    };
    // The two files are independent: a large response.rec is read beside votes.rec.
    std::error_code ec;
    const auto responseSize = records.responsePresent_ ? std::filesystem::file_size(responsePath, ec) : 0;
    if (records.votesPresent_ && responseSize >= kBytesForTwoThreads &&
        std::thread::hardware_concurrency() > 1) {
        std::future<void> responses = std::async(std::launch::async, readResponses);
        readVotes();
        responses.get();
        return records;
    }
    if (records.votesPresent_)
        readVotes();
    if (records.responsePresent_)
        readResponses();
    return records;
}

std::shared_future<VoteRecords> loadVoteRecordsInBackground(std::string dataFolder,
                                                            std::vector<std::string> questionPaths)
{
    return std::async(std::launch::async,
                      [folder = std::move(dataFolder), paths = std::move(questionPaths)] {
                          return VoteRecords::load(folder, paths);
                      })
        .share();
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
