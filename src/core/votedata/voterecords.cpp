#include "core/votedata/voterecords.h"

#include "core/common/fileutil.h"
#include "core/common/text.h"
#include "core/common/workthreads.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace
{

// Where the response values of a response.rec line lie, and whether their
// decimal commas are still to be turned into points.
struct ResponseField {
    std::string_view text;
    bool decimalCommas = false;
};

ResponseField responseFieldOfLine(std::string_view line)
{
    // More than seven pieces means at least seven commas; no need to count further.
    size_t commas = 0;
    for (size_t at = line.find(','); at != std::string_view::npos && commas < 7; at = line.find(',', at + 1))
        ++commas;
    if (commas < 7)
        return {getFieldView(line, 4), false}; // a field holds no comma
    // The quoted text held decimal commas: take it whole, from after its
    // opening quote to the next quote.
    size_t comma = std::string_view::npos;
    for (int i = 0; i < 3; ++i)
        comma = line.find(',', comma + 1);
    const size_t start = std::min(comma + 2, line.size());
    const size_t quote = line.find('"', start);
    return {line.substr(start, quote == std::string_view::npos ? std::string_view::npos : quote - start),
            true};
}

// Turns the decimal commas of response values into points, sixteen bytes at
// a time where it can: a comma every few bytes defeats a branch per byte.
void commasToPoints(std::string &text)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i comma = _mm_set1_epi8(','), point = _mm_set1_epi8('.');
    for (; i + 16 <= text.size(); i += 16) {
        auto *at = reinterpret_cast<__m128i *>(text.data() + i);
        const __m128i bytes = _mm_loadu_si128(at);
        const __m128i commas = _mm_cmpeq_epi8(bytes, comma);
        _mm_storeu_si128(at, _mm_or_si128(_mm_andnot_si128(commas, bytes), _mm_and_si128(commas, point)));
    }
#endif
    for (; i < text.size(); ++i)
        text[i] = text[i] == ',' ? '.' : text[i];
}

// Keeps only `part` (a view into `text`) of the text, in place.
void keepPart(std::string &text, std::string_view part)
{
    if (part.empty()) {
        text.clear();
        return;
    }
    const auto from = static_cast<size_t>(part.data() - text.data());
    text.erase(from + part.size());
    text.erase(0, from);
}

} // namespace

std::string responseTextOfLine(std::string_view line)
{
    const ResponseField field = responseFieldOfLine(line);
    std::string text(field.text);
    if (field.decimalCommas)
        commasToPoints(text);
    return text;
}

namespace
{

// Where a line of a record file lies, without its CR LF.
struct LineSpan {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

// The key of a record line: the upper-cased file-name part of its first field.
std::string keyOfLine(std::string_view line)
{
    return FileNamePart(getFieldView(line, 1));
}

// A line of the file as the records read it: a line that is not UTF-8 is
// decoded as Windows-1252.
std::string readLine(int fd, const LineSpan &span)
{
    std::string line(span.length, '\0');
    size_t got = 0;
    while (got < line.size()) {
        const ssize_t n =
            ::pread(fd, line.data() + got, line.size() - got, static_cast<off_t>(span.offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the file became shorter meanwhile: what is there
        got += static_cast<size_t>(n);
    }
    line.resize(got);
    if (!isValidUtf8(line))
        return decodeText(line);
    return line; // moved, not copied (a conditional expression would copy it)
}

// Finds the last line of each wanted question (every question when `wanted`
// is empty) in one pass over the file's blocks, without copying or decoding
// the lines: only the start of each line, up to its first comma, is looked
// at. CR LF and LF end a line, a last line without its end counts, and a
// byte order mark at the start is passed over. A line whose file-name part
// is not ASCII may be keyed differently once decoded: such lines are decided
// afterwards by reading them whole.
class LastLineFinder
{
  public:
    LastLineFinder(int fd, const std::unordered_set<std::string> &wanted) : fd_(fd), wanted_(wanted) {}

    void feed(std::string_view data, std::uint64_t at)
    {
        if (at == 0 && data.substr(0, 3) == "\xEF\xBB\xBF") {
            data.remove_prefix(3);
            at = lineStart_ = 3;
        }
        size_t pos = 0;
        while (pos < data.size()) {
            const char *base = data.data();
            const auto *nl = static_cast<const char *>(std::memchr(base + pos, '\n', data.size() - pos));
            const size_t end = nl ? static_cast<size_t>(nl - base) : data.size();
            if (!headDone_) {
                const auto *comma = static_cast<const char *>(std::memchr(base + pos, ',', end - pos));
                const size_t headEnd = comma ? static_cast<size_t>(comma - base) : end;
                head_.append(base + pos, headEnd - pos);
                headDone_ = comma != nullptr;
            }
            if (end > pos)
                lastByte_ = base[end - 1];
            if (!nl)
                break;
            endLine(at + end);
            lineStart_ = at + end + 1;
            pos = end + 1;
        }
    }

    // The file ended at `size`; the last lines of the wanted questions.
    std::unordered_map<std::string, LineSpan> finish(std::uint64_t size)
    {
        if (size > lineStart_)
            endLine(size);
        // In the order of the file; their keys are not ASCII, so no line
        // decided before has the same key.
        for (const LineSpan &span : undecided_) {
            std::string key = keyOfLine(readLine(fd_, span));
            if (wanted_.empty() || wanted_.count(key))
                last_[std::move(key)] = span;
        }
        return std::move(last_);
    }

  private:
    void endLine(std::uint64_t end)
    {
        LineSpan span{lineStart_, end - lineStart_};
        if (lastByte_ == '\r') {
            --span.length;
            if (!headDone_)
                head_.pop_back(); // the whole line is the first field
        }
        const std::string_view name = fileNameOf(head_);
        if (std::any_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
            undecided_.push_back(span);
        } else {
            std::string key = toUpper(name);
            if (wanted_.empty() || wanted_.count(key))
                last_[std::move(key)] = span;
        }
        head_.clear();
        headDone_ = false;
        lastByte_ = 0;
    }

    // The file-name part of a first field, as keyOfLine takes it.
    static std::string_view fileNameOf(std::string_view field)
    {
        if (!field.empty() && field.front() == '"' && field.back() == '"')
            field = field.size() >= 2 ? field.substr(1, field.size() - 2) : std::string_view();
        const size_t separator = field.find_last_of("\\/");
        return separator == std::string_view::npos ? field : field.substr(separator + 1);
    }

    int fd_;
    const std::unordered_set<std::string> &wanted_;
    std::unordered_map<std::string, LineSpan> last_;
    std::vector<LineSpan> undecided_;
    std::uint64_t lineStart_ = 0;
    std::string head_; // the line's first field so far
    bool headDone_ = false;
    char lastByte_ = 0;
};

// The blocks a record file is read in: small enough to stay in the
// processor's cache between the copy and the look for line ends.
constexpr size_t kReadBlock = 256u << 10;

// Below this size of response.rec, both files are read on one thread.
constexpr std::uintmax_t kBytesForTwoThreads = 4u << 20;

// Calls keep(key, line) with the last line of each wanted question of the
// file (every question when `wanted` is empty), in the order of the file.
// The file is read once block by block to find them, then only those lines
// are read again. False when the file cannot be opened.
template <typename F>
bool forEachLastLine(const std::string &path, const std::unordered_set<std::string> &wanted, F &&keep)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    LastLineFinder finder(fd, wanted);
    // Blocks of kReadBlock, or less for a smaller file.
    struct stat info {
    };
    const size_t blockSize =
        ::fstat(fd, &info) == 0 && info.st_size >= 0 && static_cast<size_t>(info.st_size) < kReadBlock
            ? std::max<size_t>(static_cast<size_t>(info.st_size) + 1, 4096)
            : kReadBlock;
    std::unique_ptr<char[]> block(new char[blockSize]);
    std::uint64_t at = 0;
    for (;;) {
        const ssize_t got = ::read(fd, block.get(), blockSize);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        finder.feed(std::string_view(block.get(), static_cast<size_t>(got)), at);
        at += static_cast<std::uint64_t>(got);
    }
    block.reset();
    const std::unordered_map<std::string, LineSpan> last = finder.finish(at);
    std::vector<std::pair<std::string, LineSpan>> inOrder(last.begin(), last.end());
    std::sort(inOrder.begin(), inOrder.end(),
              [](const auto &a, const auto &b) { return a.second.offset < b.second.offset; });
    for (auto &[key, span] : inOrder)
        keep(key, readLine(fd, span));
    ::close(fd);
    return true;
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

VoteRecords VoteRecords::loadVotes(const std::string &dataFolder)
{
    return loadWanted(dataFolder, {}, false);
}

VoteRecords VoteRecords::loadWanted(const std::string &dataFolder,
                                    const std::unordered_set<std::string> &wanted, bool withResponses)
{
    VoteRecords records;
    const std::string votesPath = resolveFile(dataFolder, "votes.rec");
    const std::string responsePath = withResponses ? resolveFile(dataFolder, "response.rec") : std::string();
    records.votesPresent_ = FileExists(votesPath);
    records.responsePresent_ = withResponses && FileExists(responsePath);
    const auto readVotes = [&] {
        forEachLastLine(votesPath, wanted, [&](const std::string &key, std::string line) {
            keepPart(line, getFieldView(line, 4));
            records.answers_[key] = std::move(line);
        });
    };
    const auto readResponses = [&] {
        forEachLastLine(responsePath, wanted, [&](const std::string &key, std::string line) {
            const ResponseField field = responseFieldOfLine(line);
            keepPart(line, field.text);
            if (field.decimalCommas)
                commasToPoints(line);
            records.responses_[key] = std::move(line);
        });
    };
    // The two files are independent: a large response.rec is read beside votes.rec.
    std::error_code ec;
    const auto responseSize = records.responsePresent_ ? std::filesystem::file_size(responsePath, ec) : 0;
    if (records.votesPresent_ && responseSize >= kBytesForTwoThreads && workThreadCount() > 1) {
        records.readingThreads_ = 2;
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

} // namespace quiz
