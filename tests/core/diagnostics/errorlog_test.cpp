#include "core/diagnostics/errorlog.h"
#include "support/rows.h"
#include "support/testfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

using namespace quiz;
using quiz::test::TestFolder;
namespace fs = std::filesystem;

namespace
{

std::string entry(const std::string &report)
{
    const std::string dashes(65, '-');
    return "\r\n" + dashes + "\r\n" + report + "\r\n" + dashes + "\r\n";
}

const std::string kLog = "Err - quiz.log";

} // namespace

// Reports are appended in order, no temporary file is left; the log keeps its first
// 50000 characters (not bytes), so later reports are lost.
TEST(ErrorLog, ReportsAreAppendedUpTo50000Characters)
{
    TestFolder dir;
    const std::string log = dir.str() + "/" + kLog;
    ASSERT_TRUE(appendToErrorLog(log, "first"));
    ASSERT_TRUE(appendToErrorLog(log, "second"));
    EXPECT_EQ(dir.read(kLog), entry("first") + entry("second"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1);

    const std::string old(49990, 'a');
    dir.write(kLog, old);
    ASSERT_TRUE(appendToErrorLog(log, "report"));
    const std::string cut = dir.read(kLog);
    EXPECT_EQ(cut, (old + entry("report")).substr(0, 50000));
    ASSERT_TRUE(appendToErrorLog(log, "later"));
    EXPECT_EQ(dir.read(kLog), cut);
    std::string accented;
    for (int i = 0; i < 49999; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(grownErrorLog(accented, "r"), accented + "\r");
}

using FirstCharacters = test::RowTest;

TEST_P(FirstCharacters, NeverSplitACharacter)
{
    EXPECT_EQ(firstCharacters(GetParam()[0], GetParam().num(1)), GetParam()[2]);
}
QUIZ_ROWS(FirstCharacters, "diagnostics/firstcharacters.rows");

TEST(ErrorLog, OldWindows1252OrReadOnlyLogIsKeptAsUtf8AndABadPathWritesNothing)
{
    TestFolder dir;
    const std::string log = dir.write(kLog, "caf\xE9 \x80").string();
    fs::permissions(log, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(appendToErrorLog(log, "r"));
    EXPECT_EQ(dir.read(kLog), "caf\xC3\xA9 \xE2\x82\xAC" + entry("r"));
    EXPECT_FALSE(appendToErrorLog("", "r"));
    EXPECT_FALSE(appendToErrorLog(dir.str() + "/no/such/" + kLog, "r"));
}

// Beside the executable when its folder is writable, else in the state folder
// (made when the log is written), else below home.
using LogPaths = test::RowTest;

TEST_P(LogPaths, BesideTheExecutableWhenItsFolderIsWritableElseInTheStateFolder)
{
    const test::Row &r = GetParam();
    if (r.flag(3) && ::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not stop root from writing";
    TestFolder dir;
    const auto place = [&dir](std::string text) {
        return text.rfind("{d}", 0) == 0 ? text.replace(0, 3, dir.str()) : text;
    };
    fs::create_directories(dir.path() / "bin");
    if (r.flag(3))
        fs::permissions(dir.path() / "bin",
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    const std::string path = errorLogPath(place(r[0]), place(r[1]), place(r[2]));
    EXPECT_EQ(path, place(r[4]));
    EXPECT_TRUE(appendToErrorLog(path, "r"));
    EXPECT_EQ(fs::exists(dir.path() / "state"), r[4].rfind("{d}/state/", 0) == 0)
        << "a state folder only when used";
}
QUIZ_ROWS(LogPaths, "diagnostics/logpaths.rows");
