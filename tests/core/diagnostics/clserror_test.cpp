#include "core/diagnostics/clserror.h"
#include "core/diagnostics/errorlog.h"
#include "fakes/fakedialogs.h"
#include "support/rows.h"
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
    const std::string expected =
        "An error has occurred: " + std::string(50, ' ') +
        "\r\n\r\nDate: 05-Dec-2026\r\nTime: 09:07:03\r\n\r\nNumber: 1004"
        "\r\nDescription: Application-defined or object-defined error\r\n\r\nLevel: Quiz"
        "\r\nModule: exportQuizResults\r\nLine: 120\r\nApp: quiz";
    EXPECT_EQ(exportError({2026, 12, 5, 9, 7, 3}, "", false).Report(), expected);
    EXPECT_EQ(exportError({2026, 12, 5, 9, 7, 3}, "sheet 2\r\nrow 7", false).Report(),
              expected + "\r\n\r\nExtra Info: \r\n\r\nsheet 2\r\nrow 7");

    clsError other([] { return ErrorTime{}; });
    other.StoreErrInfo(-2147417848, "Automation error");
    other.setObjectName("Other");
    EXPECT_NE(other.Report().find("\r\nNumber: -2147417848\r\n"), std::string::npos);
    EXPECT_NE(other.Report().find("\r\nLevel: Other\r\n"), std::string::npos);
}

using Dates = quiz::test::RowTest;

TEST_P(Dates, UseEnglishMonthsAndThe24HourClock)
{
    const std::vector<float> t = GetParam().floats(0);
    const ErrorTime time{int(t[0]), int(t[1]), int(t[2]), int(t[3]), int(t[4]), int(t[5])};
    EXPECT_NE(exportError(time, "", false)
                  .Report()
                  .find("\r\nDate: " + GetParam()[1] + "\r\nTime: " + GetParam()[2] + "\r\n\r\n"),
              std::string::npos);
}
QUIZ_ROWS(Dates, "diagnostics/dates.rows");

// The time is taken when the error is stored, not when shown; the program's name
// defaults to the running executable's.
TEST(ErrorReport, TimeIsTakenWhenTheErrorIsStoredNotWhenShown)
{
    int calls = 0;
    clsError error([&calls] { return ErrorTime{2026, 6, 1, 10, 0, ++calls}; });
    error.StoreErrInfo(9, "Subscript out of range");
    error.StoreAppInfo("Quiz", "p", "1", "", false);
    const std::string first = error.Report();
    EXPECT_EQ(error.Report(), first);
    EXPECT_EQ(error.ErrTime(), (ErrorTime{2026, 6, 1, 10, 0, 1}));
    EXPECT_EQ(clsError().AppName(), "test_core_diagnostics");
}

// Showing without showUser only logs (creating a missing log, then growing it); with
// it the report is shown, critical, titled with the object's name, even without a log.
TEST(ErrorShow, LogsAndShowsTheReportWhenAsked)
{
    TestFolder dir;
    const std::string log = dir.str() + "/Err - quiz.log";
    FakeDialogs dialogs;
    const clsError quiet = exportError({2026, 12, 5, 9, 7, 3}, "", false);
    const std::string entry = "\r\n" + dashes + "\r\n" + quiet.Report() + "\r\n" + dashes + "\r\n";
    ASSERT_TRUE(quiet.Show(nullptr, log));
    ASSERT_TRUE(quiet.Show(&dialogs, log));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(dir.read("Err - quiz.log"), entry + entry);
    const clsError shown = exportError({2026, 12, 5, 9, 7, 3}, "more", true);
    ASSERT_TRUE(shown.Show(&dialogs, log));
    EXPECT_FALSE(shown.Show(&dialogs, "/nonexistent-folder-for-quiz/Err - quiz.log"));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.said(0), "Quiz|" + shown.Report() + "|critical|ok");
    EXPECT_NE(dir.read("Err - quiz.log").find(shown.Report()), std::string::npos);
}
