#include "core/votedata/voterecordwriter.h"

#include "core/common/fileutil.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quiz
{

namespace
{

std::string twoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

template <typename Entry, typename Format>
std::string recordLine(const VoteRecordEntry &record, const std::vector<Entry> &entries, bool trailing,
                       Format format)
{
    int answered = 0;
    std::string list;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            list += ';';
        if (entries[i]) {
            ++answered;
            list += format(*entries[i]);
        } else {
            list += '-';
        }
    }
    if (trailing && !entries.empty())
        list += ';';
    const RecordTime &t = record.closedAt;
    return recordPathField(record.questionPath).value_or("") + "," + std::to_string(record.slide) + "," +
           std::to_string(answered) + ",\"" + list + "\"," + twoDigits(t.day) + "/" + twoDigits(t.month) +
           "/" + std::to_string(t.year) + "," + twoDigits(t.hour) + ":" + twoDigits(t.minute) + ":" +
           twoDigits(t.second) + "\r\n";
}

bool appendSynced(const std::string &path, const std::string &bytes, std::string *error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        *error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    bool ok = written == static_cast<ssize_t>(bytes.size());
    if (!ok)
        *error = "cannot write " + path + ": " + std::strerror(written < 0 ? errno : ENOSPC);
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        *error = "cannot flush " + path + ": " + std::strerror(errno);
    }
    ::close(fd);
    return ok;
}

} // namespace

std::optional<std::string> recordPathField(const std::string &path)
{
    const auto unsafe = [](const std::string &text) {
        return text.find_first_of(",\"\r\n") != std::string::npos;
    };
    if (!unsafe(path))
        return path;
    const std::size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || unsafe(name))
        return std::nullopt;
    return name;
}

std::string formatVotesLine(const VoteRecordEntry &record)
{
    return recordLine(record, record.answers, true, [](const std::string &a) { return a; });
}

std::string formatResponseLine(const VoteRecordEntry &record)
{
    return recordLine(record, record.responseSeconds, false, [](double seconds) {
        char text[32];
        // to_chars ignores the locale: "." decimals whatever the user's language
        const auto end = std::to_chars(text, text + sizeof text, seconds, std::chars_format::fixed, 2).ptr;
        return std::string(text, end);
    });
}

bool appendVoteRecord(const std::string &dataFolder, const VoteRecordEntry &record, std::string *error)
{
    if (!recordPathField(record.questionPath)) {
        *error = "the question file's name cannot be recorded: " + record.questionPath;
        return false;
    }
    return appendSynced(resolveFile(dataFolder, "votes.rec"), formatVotesLine(record), error) &&
           appendSynced(resolveFile(dataFolder, "response.rec"), formatResponseLine(record), error);
}

} // namespace quiz
