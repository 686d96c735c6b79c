#include "core/diagnostics/errorlog.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace quiz
{

namespace
{

const std::string dashLine(65, '-');

bool isValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        size_t extra = 0;
        unsigned minimum = 0, value = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, minimum = 0x80, value = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, minimum = 0x800, value = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, minimum = 0x10000, value = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= text.size())
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            const auto d = static_cast<unsigned char>(text[i + k]);
            if ((d & 0xC0) != 0x80)
                return false;
            value = (value << 6) | (d & 0x3F);
        }
        if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

void appendUtf8(std::string &out, unsigned code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Logs written by older versions of the program are Windows-1252.
std::string fromWindows1252(std::string_view text)
{
    static const unsigned high[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        appendUtf8(out, c >= 0x80 && c < 0xA0 ? high[c - 0x80] : c);
    }
    return out;
}

bool folderWritable(const fs::path &folder)
{
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// Reads the whole file; false when it exists but cannot be read.
bool readOldLog(const std::string &path, std::string &text)
{
    text.clear();
    std::error_code ec;
    if (path.empty() || !fs::exists(path, ec))
        return !ec || ec == std::errc::no_such_file_or_directory;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    if (!isValidUtf8(text))
        text = fromWindows1252(text);
    return true;
}

bool writeAtomically(const std::string &path, const std::string &content)
{
    const fs::path target(path);
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<size_t>(n);
    }
    ok = ok && ::fchmod(fd, 0644) == 0 && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok)
        ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

} // namespace

std::string currentExecutablePath()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

std::string executableBaseName(const std::string &executablePath)
{
    return fs::path(executablePath).stem().string();
}

std::string errorLogPath(const std::string &executablePath, const std::string &xdgStateHome,
                         const std::string &home)
{
    const fs::path exe(executablePath);
    const std::string fileName = "Err - " + executableBaseName(executablePath) + ".log";
    if (folderWritable(exe.parent_path()))
        return (exe.parent_path() / fileName).string();

    fs::path state;
    if (!xdgStateHome.empty() && fs::path(xdgStateHome).is_absolute())
        state = xdgStateHome;
    else if (!home.empty())
        state = fs::path(home) / ".local" / "state";
    else
        state = fs::temp_directory_path();
    const fs::path folder = state / "talvix";
    std::error_code ec;
    fs::create_directories(folder, ec);
    return (folder / fileName).string();
}

std::string errorLogPath()
{
    const char *stateHome = std::getenv("XDG_STATE_HOME");
    const char *home = std::getenv("HOME");
    return errorLogPath(currentExecutablePath(), stateHome ? stateHome : "", home ? home : "");
}

std::string firstCharacters(std::string_view text, std::size_t limit)
{
    size_t count = 0, i = 0;
    while (i < text.size() && count < limit) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
        ++count;
    }
    return std::string(text.substr(0, i));
}

std::string grownErrorLog(const std::string &oldText, const std::string &report)
{
    const std::string grown = oldText + "\r\n" + dashLine + "\r\n" + report + "\r\n" + dashLine + "\r\n";
    return firstCharacters(grown, errorLogLimit);
}

bool appendToErrorLog(const std::string &logPath, const std::string &report)
{
    if (logPath.empty())
        return false;
    std::string oldText;
    if (!readOldLog(logPath, oldText))
        return false;
    return writeAtomically(logPath, grownErrorLog(oldText, report));
}

} // namespace quiz
