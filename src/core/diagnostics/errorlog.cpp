#include "core/diagnostics/errorlog.h"

#include "core/common/fileutil.h"

#include <filesystem>
#include <system_error>

#include <unistd.h>

namespace fs = std::filesystem;

namespace quiz
{

namespace
{

const std::string dashLine(65, '-');

bool folderWritable(const fs::path &folder)
{
    std::error_code ec;
    return !folder.empty() && fs::is_directory(folder, ec) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// The old log as text (a log of an older version may be Windows-1252); false
// when it exists but cannot be read. A missing log is empty.
bool readOldLog(const std::string &path, std::string &text)
{
    text.clear();
    std::error_code ec;
    if (!fs::exists(path, ec))
        return !ec || ec == std::errc::no_such_file_or_directory;
    const auto content = readTextFile(path);
    if (!content)
        return false;
    text = *content;
    return true;
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
    return writeFileAtomic(logPath, grownErrorLog(oldText, report));
}

} // namespace quiz
