#include "core/diagnostics/errortime.h"

#include <cstdio>
#include <ctime>

namespace quiz
{

ErrorTime localTimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return ErrorTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                     parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::string formatErrorDate(const ErrorTime &time)
{
    // Fixed English names: the log reads the same whatever the user's locale.
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const char *month = time.month >= 1 && time.month <= 12 ? months[time.month - 1] : "???";
    char text[32];
    std::snprintf(text, sizeof text, "%02d-%s-%04d", time.day, month, time.year);
    return text;
}

std::string formatErrorTime(const ErrorTime &time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

std::string datedFileName(const std::string &folder, const ErrorTime &t, const std::string &suffix)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second);
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + stamp + suffix;
}

} // namespace quiz
