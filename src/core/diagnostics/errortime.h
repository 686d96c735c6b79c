#pragma once

#include <functional>
#include <string>

namespace quiz
{

// A local date and time, as an error report shows it.
struct ErrorTime {
    int year = 1899;
    int month = 12; // 1..12
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const ErrorTime &) const = default;
};

// Where the time of an error comes from; tests give a fixed one.
using ErrorClock = std::function<ErrorTime()>;

ErrorTime localTimeNow();

// "dd-mmm-yyyy" with English month abbreviations, e.g. "05-Dec-2026".
std::string formatErrorDate(const ErrorTime &time);
// "hh:nn:ss" on the 24-hour clock.
std::string formatErrorTime(const ErrorTime &time);
// FOLDER + "/" + "yyyy-mm-dd hh-mm-ss" + SUFFIX: the name a workbook is first proposed under.
std::string datedFileName(const std::string &folder, const ErrorTime &time, const std::string &suffix);

} // namespace quiz
