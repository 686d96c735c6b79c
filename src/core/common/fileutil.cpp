#include "core/common/fileutil.h"

#include "core/common/text.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace quiz
{

namespace fs = std::filesystem;

bool FileExists(const std::string &path)
{
    if (path.empty())
        return false;
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string joinPath(const std::string &folder, const std::string &name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

namespace
{

bool entryExists(const std::string &path)
{
    struct stat st {
    };
    return ::lstat(path.c_str(), &st) == 0;
}

std::string errnoText(const std::string &what, const std::string &path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

} // namespace

std::string resolveFile(const std::string &folder, const std::string &name)
{
    std::string joined = joinPath(folder, name);
    const size_t slash = joined.rfind('/');
    // Only the last component is matched ignoring case.
    const std::string dir = slash == std::string::npos ? "." : joined.substr(0, slash == 0 ? 1 : slash);
    const std::string base = slash == std::string::npos ? joined : joined.substr(slash + 1);
    if (base.empty() || entryExists(joined))
        return joined;
    std::error_code ec;
    std::vector<std::string> matches;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (iequals(entry, base))
            matches.push_back(entry);
    }
    if (matches.empty())
        return joined;
    std::sort(matches.begin(), matches.end()); // the same choice every run
    return joined.substr(0, joined.size() - base.size()) + matches.front();
}

std::string resolvePath(const std::string &path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return resolveFile("", path);
    return resolveFile(path.substr(0, slash + 1), path.substr(slash + 1));
}

namespace
{

// Windows-1252 code points of the bytes 0x80..0x9F; the five unassigned
// bytes keep their own value.
constexpr char32_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

bool isValidUtf8(std::string_view s)
{
    const auto *p = reinterpret_cast<const unsigned char *>(s.data());
    const size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        // Runs of ASCII, eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            if (word & 0x8080808080808080ULL)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        char32_t min;
        char32_t cp;
        if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, cp = c & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<size_t>(extra) >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char d = p[i + k];
            if ((d & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (d & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::string decodeText(std::string_view bytes)
{
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (isValidUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            appendUtf8(out, kCp1252High[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

std::optional<std::string> readTextFile(const std::string &path)
{
    if (!FileExists(path))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    in.seekg(0, std::ios::end);
    const auto size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        bytes.resize(static_cast<size_t>(size));
        in.read(bytes.data(), size);
        bytes.resize(static_cast<size_t>(in.gcount()));
    }
    if (in.bad())
        return std::nullopt;
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") != 0 && isValidUtf8(bytes))
        return bytes; // the usual case: no copy
    return decodeText(bytes);
}

namespace
{

bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

namespace
{

// The temporary file beside path, its mode set, handed to `write` (its
// descriptor and path; "" or what went wrong), flushed and renamed over path.
bool replaceFile(const std::string &path, std::string *error, int mode,
                 const std::function<std::string(int fd, const std::string &temp)> &write)
{
    const auto fail = [&](const std::string &message) {
        if (error)
            *error = message;
        return false;
    };
    if (path.empty())
        return fail("no file name given");
    struct stat old {
    };
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode))
        return fail(path + " is not a file");

    std::string temp = path + ".tmp.XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return fail(errnoText("cannot create a temporary file beside", path));
    const mode_t given = mode >= 0   ? static_cast<mode_t>(mode)
                         : replacing ? (old.st_mode & 07777)
                                     : newFileMode();
    (void)::fchmod(fd, given); // a mode we cannot set is no reason to lose the save
    std::string message = write(fd, temp);
    bool ok = message.empty();
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        message = errnoText("cannot flush", temp);
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        message = errnoText("cannot close", temp);
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        message = errnoText("cannot replace", path);
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return fail(message);
    }
    return true;
}

} // namespace

bool writeFileAtomic(const std::string &path, const std::string &bytes, std::string *error, int mode)
{
    return replaceFile(path, error, mode, [&bytes](int fd, const std::string &temp) {
        return writeAll(fd, bytes.data(), bytes.size()) ? std::string() : errnoText("cannot write", temp);
    });
}

bool replaceFileAtomic(const std::string &path,
                       const std::function<std::string(const std::string &temp)> &write, std::string *error,
                       int mode)
{
    // The writer opens the file by its path: the same file, flushed through fd.
    return replaceFile(path, error, mode, [&write](int, const std::string &temp) { return write(temp); });
}

bool appendToFile(const std::string &path, const std::string &bytes, std::string *error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (error)
            *error = errnoText("cannot open", path);
        return false;
    }
    bool ok = writeAll(fd, bytes.data(), bytes.size());
    if (!ok && error)
        *error = errnoText("cannot write", path);
    if (::close(fd) != 0 && ok) {
        ok = false;
        if (error)
            *error = errnoText("cannot close", path);
    }
    return ok;
}

bool isReadOnly(const std::string &path)
{
    struct stat st {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0;
}

bool removeFile(const std::string &path)
{
    return !path.empty() && ::unlink(path.c_str()) == 0;
}

} // namespace quiz
