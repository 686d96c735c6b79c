#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quiz
{

// The longest the error log grows, in characters. Later reports no longer fit.
inline constexpr std::size_t errorLogLimit = 50000;

// The running program's own file, from /proc/self/exe; "" when unknown.
std::string currentExecutablePath();
// The executable's file name without its extension ("quiz" for /opt/talvix/quiz).
std::string executableBaseName(const std::string &executablePath);

// Where the error log lives: "<exe folder>/Err - <exe name>.log" when that
// folder is writable, else the same file name in "<stateHome>/talvix/"
// (stateHome = xdgStateHome when it is an absolute path, else home +
// "/.local/state", else the temporary folder); that folder is created. The
// core reads no environment: the program passes XDG_STATE_HOME and HOME in.
std::string errorLogPath(const std::string &executablePath, const std::string &xdgStateHome,
                         const std::string &home);

// The first `limit` characters (UTF-8 code points) of the text.
std::string firstCharacters(std::string_view text, std::size_t limit);

// The log after one more report: old text + CR LF + 65 "-" + CR LF + report
// + CR LF + 65 "-" + CR LF, cut to its first errorLogLimit characters.
std::string grownErrorLog(const std::string &oldText, const std::string &report);

// Appends the report to the log file (created when missing), replacing the
// file atomically. An old log that is not UTF-8 is read as Windows-1252.
// False when the log could not be read or written; the file is then unchanged.
bool appendToErrorLog(const std::string &logPath, const std::string &report);

} // namespace quiz
