#include "core/diagnostics/clserror.h"
#include "core/diagnostics/errorlog.h"
#include "ports/dialogs.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quiz;

namespace
{

const std::string dashes(65, '-');

struct ShownMessage {
    std::string text, title;
    MessageIcon icon;
    MessageButtons buttons;
};

class RecordingDialogs : public Dialogs
{
  public:
    std::vector<ShownMessage> shown;
    MessageAnswer message(const std::string &text, const std::string &title, MessageIcon icon,
                          MessageButtons buttons) override
    {
        shown.push_back({text, title, icon, buttons});
        return MessageAnswer::Ok;
    }
    std::optional<std::string> input(const std::string &, const std::string &, const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> saveFile(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const std::string &, const std::string &,
                                        const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<FontChoice> font(const std::string &, const FontChoice &) override { return std::nullopt; }
    std::optional<PrintTarget> print(const std::string &) override { return std::nullopt; }
};

clsError exportError(ErrorTime time, const std::string &extra, bool showUser)
{
    clsError error([time] { return time; });
    error.setAppName("quiz");
    error.StoreErrInfo(1004, "Application-defined or object-defined error", "", 0);
    error.StoreAppInfo("Quiz", "exportQuizResults", "120", extra, showUser);
    return error;
}

} // namespace

TEST(ErrorReport, ListsTheErrorAndEndsWithTheProgramName)
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
}

TEST(ErrorReport, ExtraInformationAddsItsOwnBlock)
{
    const std::string report = exportError({2026, 12, 5, 9, 7, 3}, "sheet 2\r\nrow 7", false).Report();
    const std::string tail = "App: quiz\r\n\r\nExtra Info: \r\n\r\nsheet 2\r\nrow 7";
    ASSERT_GE(report.size(), tail.size());
    EXPECT_EQ(report.substr(report.size() - tail.size()), tail);
}

TEST(ErrorReport, DatesUseEnglishMonthsAndTimesThe24HourClock)
{
    struct Case {
        ErrorTime time;
        const char *date;
        const char *clock;
    } cases[] = {
        {{2026, 1, 1, 0, 0, 0}, "01-Jan-2026", "00:00:00"},
        {{2024, 2, 29, 23, 59, 59}, "29-Feb-2024", "23:59:59"},
        {{2025, 3, 9, 12, 0, 1}, "09-Mar-2025", "12:00:01"},
        {{2025, 4, 30, 13, 5, 9}, "30-Apr-2025", "13:05:09"},
        {{2025, 5, 15, 1, 2, 3}, "15-May-2025", "01:02:03"},
        {{2025, 6, 15, 1, 2, 3}, "15-Jun-2025", "01:02:03"},
        {{2025, 7, 15, 1, 2, 3}, "15-Jul-2025", "01:02:03"},
        {{2025, 8, 15, 1, 2, 3}, "15-Aug-2025", "01:02:03"},
        {{2025, 9, 15, 1, 2, 3}, "15-Sep-2025", "01:02:03"},
        {{2025, 10, 15, 1, 2, 3}, "15-Oct-2025", "01:02:03"},
        {{2025, 11, 15, 1, 2, 3}, "15-Nov-2025", "01:02:03"},
        {{2026, 12, 5, 18, 30, 0}, "05-Dec-2026", "18:30:00"},
    };
    for (const auto &c : cases) {
        const std::string report = exportError(c.time, "", false).Report();
        EXPECT_NE(report.find("\r\nDate: " + std::string(c.date) + "\r\n"), std::string::npos) << c.date;
        EXPECT_NE(report.find("\r\nTime: " + std::string(c.clock) + "\r\n\r\n"), std::string::npos)
            << c.clock;
    }
}

TEST(ErrorReport, TimeIsTakenWhenTheErrorIsStoredNotWhenShown)
{
    int calls = 0;
    clsError error([&calls] {
        ++calls;
        return ErrorTime{2026, 6, 1, 10, 0, calls};
    });
    error.StoreErrInfo(9, "Subscript out of range");
    error.StoreAppInfo("Quiz", "p", "1", "", false);
    const std::string first = error.Report();
    EXPECT_EQ(error.Report(), first);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(error.ErrTime(), (ErrorTime{2026, 6, 1, 10, 0, 1}));
}

TEST(ErrorReport, NegativeNumbersKeepTheirSign)
{
    clsError error([] { return ErrorTime{}; });
    error.StoreErrInfo(-2147417848, "Automation error");
    EXPECT_NE(error.Report().find("\r\nNumber: -2147417848\r\n"), std::string::npos);
}

TEST(ErrorRecord, StoresWhatItIsGiven)
{
    clsError error([] { return ErrorTime{}; });
    error.StoreErrInfo(70, "Permission denied", "help.chm", 12);
    error.StoreAppInfo("Quiz", "exportQuizResults", "33", "x", true);
    EXPECT_EQ(error.ErrNumber(), 70);
    EXPECT_EQ(error.ErrDescription(), "Permission denied");
    EXPECT_EQ(error.ErrHelpFile(), "help.chm");
    EXPECT_EQ(error.HelpContext(), 12);
    EXPECT_EQ(error.ObjectName(), "Quiz");
    EXPECT_EQ(error.ProcedureName(), "exportQuizResults");
    EXPECT_EQ(error.Line(), "33");
    EXPECT_EQ(error.ExtraInfo(), "x");
    EXPECT_TRUE(error.ShowUser());
    error.setShowUser(false);
    error.setObjectName("Other");
    EXPECT_FALSE(error.ShowUser());
    EXPECT_NE(error.Report().find("\r\nLevel: Other\r\n"), std::string::npos);
}

TEST(ErrorRecord, AppNameDefaultsToTheRunningExecutable)
{
    clsError error;
    EXPECT_EQ(error.AppName(), "test_core_diagnostics");
}

TEST(ErrorShow, MissingLogIsCreatedStartingWithTheDashLine)
{
    TempDir dir;
    const std::string log = dir.file("Err - quiz.log");
    const clsError error = exportError({2026, 12, 5, 9, 7, 3}, "", false);
    ASSERT_TRUE(error.Show(nullptr, log));
    EXPECT_EQ(TempDir::read(log), "\r\n" + dashes + "\r\n" + error.Report() + "\r\n" + dashes + "\r\n");
}

TEST(ErrorShow, ShowUserOffShowsNothingAndTheLogStillGrows)
{
    TempDir dir;
    const std::string log = dir.file("Err - quiz.log");
    TempDir::write(log, "earlier");
    RecordingDialogs dialogs;
    const clsError error = exportError({2026, 12, 5, 9, 7, 3}, "", false);
    ASSERT_TRUE(error.Show(&dialogs, log));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(TempDir::read(log),
              "earlier\r\n" + dashes + "\r\n" + error.Report() + "\r\n" + dashes + "\r\n");
}

TEST(ErrorShow, ShowUserOnShowsTheReportCriticalTitledWithTheObjectName)
{
    TempDir dir;
    const std::string log = dir.file("Err - quiz.log");
    RecordingDialogs dialogs;
    const clsError error = exportError({2026, 12, 5, 9, 7, 3}, "more", true);
    ASSERT_TRUE(error.Show(&dialogs, log));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, error.Report());
    EXPECT_EQ(dialogs.shown[0].title, "Quiz");
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_NE(TempDir::read(log).find(error.Report()), std::string::npos);
}

TEST(ErrorShow, ShownEvenWhenTheLogCannotBeWritten)
{
    RecordingDialogs dialogs;
    const clsError error = exportError({2026, 12, 5, 9, 7, 3}, "", true);
    EXPECT_FALSE(error.Show(&dialogs, "/nonexistent-folder-for-quiz/Err - quiz.log"));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}
