#include "core/diagnostics/clserror.h"
#include "core/diagnostics/errorlog.h"
#include "fakes/fakedialogs.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

using namespace quiz;
using quiz::test::FakeDialogs;
using quiz::test::TestFolder;

namespace
{

const std::string dashes(65, '-');

clsError exportError(ErrorTime time, const std::string &extra, bool showUser)
{
    clsError error([time] { return time; });
    error.setAppName("quiz");
    error.StoreErrInfo(1004, "Application-defined or object-defined error", "", 0);
    error.StoreAppInfo("Quiz", "exportQuizResults", "120", extra, showUser);
    return error;
}

} // namespace

TEST(ErrorReport, ListsTheErrorAndEndsWithTheProgramNameOrTheExtraInformation)
{
    const std::string expected = "An error has occurred: " + std::string(50, ' ') +
                                 "\r\n\r\n"
                                 "Date: 05-Dec-2026\r\n"
                                 "Time: 09:07:03\r\n\r\n"
                                 "Number: 1004\r\n"
                                 "Description: Application-defined or object-defined error\r\n\r\n"
                                 "Level: Quiz\r\n"
                                 "Module: exportQuizResults\r\n"
                                 "Line: 120\r\n"
                                 "App: quiz";
    EXPECT_EQ(exportError({2026, 12, 5, 9, 7, 3}, "", false).Report(), expected);
    EXPECT_EQ(exportError({2026, 12, 5, 9, 7, 3}, "sheet 2\r\nrow 7", false).Report(),
              expected + "\r\n\r\nExtra Info: \r\n\r\nsheet 2\r\nrow 7");

    clsError other([] { return ErrorTime{}; });
    other.StoreErrInfo(-2147417848, "Automation error");
    other.setObjectName("Other");
    EXPECT_NE(other.Report().find("\r\nNumber: -2147417848\r\n"), std::string::npos);
    EXPECT_NE(other.Report().find("\r\nLevel: Other\r\n"), std::string::npos);
}

TEST(ErrorReport, DatesUseEnglishMonthsAndTimesThe24HourClock)
{
    struct Case {
        ErrorTime time;
        const char *date;
        const char *clock;
    } cases[] = {
        // clang-format off
        {{2026, 1, 1, 0, 0, 0}, "01-Jan-2026", "00:00:00"}, {{2024, 2, 29, 23, 59, 59}, "29-Feb-2024", "23:59:59"},
        {{2025, 3, 9, 12, 0, 1}, "09-Mar-2025", "12:00:01"}, {{2025, 4, 30, 13, 5, 9}, "30-Apr-2025", "13:05:09"},
        {{2025, 5, 15, 1, 2, 3}, "15-May-2025", "01:02:03"}, {{2025, 6, 15, 1, 2, 3}, "15-Jun-2025", "01:02:03"},
        {{2025, 7, 15, 1, 2, 3}, "15-Jul-2025", "01:02:03"}, {{2025, 8, 15, 1, 2, 3}, "15-Aug-2025", "01:02:03"},
        {{2025, 9, 15, 1, 2, 3}, "15-Sep-2025", "01:02:03"}, {{2025, 10, 15, 1, 2, 3}, "15-Oct-2025", "01:02:03"},
        {{2025, 11, 15, 1, 2, 3}, "15-Nov-2025", "01:02:03"}, {{2026, 12, 5, 18, 30, 0}, "05-Dec-2026", "18:30:00"},
        // clang-format on
    };
    for (const auto &c : cases) {
        const std::string report = exportError(c.time, "", false).Report();
        EXPECT_NE(report.find("\r\nDate: " + std::string(c.date) + "\r\nTime: " + c.clock + "\r\n\r\n"),
                  std::string::npos)
            << c.date;
    }
}

TEST(ErrorReport, TimeIsTakenWhenTheErrorIsStoredNotWhenShown)
{
    int calls = 0;
    clsError error([&calls] { return ErrorTime{2026, 6, 1, 10, 0, ++calls}; });
    error.StoreErrInfo(9, "Subscript out of range");
    error.StoreAppInfo("Quiz", "p", "1", "", false);
    const std::string first = error.Report();
    EXPECT_EQ(error.Report(), first);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(error.ErrTime(), (ErrorTime{2026, 6, 1, 10, 0, 1}));
}

TEST(ErrorRecord, AppNameDefaultsToTheRunningExecutable)
{
    EXPECT_EQ(clsError().AppName(), "test_core_diagnostics");
}

TEST(ErrorShow, ShowUserOffShowsNothingAndAMissingLogIsCreatedThenGrows)
{
    TestFolder dir;
    const std::string log = dir.str() + "/Err - quiz.log";
    FakeDialogs dialogs;
    const clsError error = exportError({2026, 12, 5, 9, 7, 3}, "", false);
    const std::string entry = "\r\n" + dashes + "\r\n" + error.Report() + "\r\n" + dashes + "\r\n";
    ASSERT_TRUE(error.Show(nullptr, log));
    EXPECT_EQ(dir.read("Err - quiz.log"), entry);
    ASSERT_TRUE(error.Show(&dialogs, log));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dir.read("Err - quiz.log"), entry + entry);
}

TEST(ErrorShow, ShowUserOnShowsTheReportCriticalTitledWithTheObjectNameEvenWithoutALog)
{
    TestFolder dir;
    FakeDialogs dialogs;
    const clsError error = exportError({2026, 12, 5, 9, 7, 3}, "more", true);
    ASSERT_TRUE(error.Show(&dialogs, dir.str() + "/Err - quiz.log"));
    EXPECT_FALSE(error.Show(&dialogs, "/nonexistent-folder-for-quiz/Err - quiz.log"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[0].text, error.Report());
    EXPECT_EQ(dialogs.messages[0].title, "Quiz");
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_NE(dir.read("Err - quiz.log").find(error.Report()), std::string::npos);
}
