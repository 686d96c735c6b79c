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

} // namespace quiz
