#include "core/diagnostics/errorlog.h"
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

TEST(ErrorLog, ReportsAreAppendedInOrderWithoutATemporaryFileLeft)
{
    TestFolder dir;
    ASSERT_TRUE(appendToErrorLog(dir.str() + "/" + kLog, "first"));
    ASSERT_TRUE(appendToErrorLog(dir.str() + "/" + kLog, "second"));
    EXPECT_EQ(dir.read(kLog), entry("first") + entry("second"));
    for (const auto &e : fs::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename(), kLog);
}

TEST(ErrorLog, KeepsTheFirst50000CharactersSoLaterReportsAreLost)
{
    TestFolder dir;
    const std::string old(49990, 'a');
    const std::string log = dir.write(kLog, old).string();
    ASSERT_TRUE(appendToErrorLog(log, "report"));
    const std::string cut = dir.read(kLog);
    EXPECT_EQ(cut, (old + entry("report")).substr(0, 50000));
    ASSERT_TRUE(appendToErrorLog(log, "later"));
    EXPECT_EQ(dir.read(kLog), cut);

    std::string accented; // the limit counts characters, not bytes
    for (int i = 0; i < 49999; ++i)
        accented += "\xC3\xA9";
    EXPECT_EQ(grownErrorLog(accented, "r"), accented + "\r");
}

TEST(ErrorLog, FirstCharactersNeverSplitsACharacter)
{
    struct Case {
        const char *text;
        size_t limit;
        const char *kept;
    } cases[] = {
        // clang-format off
        {"", 3, ""}, {"abc", 0, ""}, {"abc", 2, "ab"}, {"abc", 9, "abc"}, {"\xC3\xA9x", 1, "\xC3\xA9"},
        {"a\xE2\x82\xAC" "b", 2, "a\xE2\x82\xAC"}, {"\xF0\x9F\x98\x80!", 1, "\xF0\x9F\x98\x80"},
        // clang-format on
    };
    for (const auto &c : cases)
        EXPECT_EQ(firstCharacters(c.text, c.limit), c.kept) << c.text << " " << c.limit;
}

TEST(ErrorLog, OldWindows1252OrReadOnlyLogIsKeptAsUtf8AndStillReplaced)
{
    TestFolder dir;
    const std::string log = dir.write(kLog, "caf\xE9 \x80").string();
    fs::permissions(log, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(appendToErrorLog(log, "r"));
    EXPECT_EQ(dir.read(kLog), "caf\xC3\xA9 \xE2\x82\xAC" + entry("r"));
}

TEST(ErrorLog, EmptyPathOrMissingFolderWritesNothing)
{
    TestFolder dir;
    EXPECT_FALSE(appendToErrorLog("", "r"));
    EXPECT_FALSE(appendToErrorLog(dir.str() + "/no/such/" + kLog, "r"));
}

TEST(ErrorLogPath, BesideTheExecutableWhenItsFolderIsWritableElseInTheStateFolder)
{
    TestFolder dir;
    const std::string d = dir.str() + "/";
    EXPECT_EQ(errorLogPath(d + "quiz", d + "state", d + "home"), d + kLog);
    EXPECT_EQ(errorLogPath(d + "Quiz.exe", "", ""), d + "Err - Quiz.log");
    EXPECT_FALSE(fs::exists(dir.path() / "state"));
    // A missing program folder counts as not writable.
    EXPECT_EQ(errorLogPath(d + "gone/quiz", d + "state", ""), d + "state/talvix/" + kLog);
    // The executable's name loses only its last extension.
    EXPECT_EQ(executableBaseName("/opt/tal.vix/quiz.v2.bin"), "quiz.v2");
    EXPECT_EQ(executableBaseName("/opt/talvix/quiz"), "quiz");
}

TEST(ErrorLogPath, ReadOnlyProgramFolderSendsTheLogToTheStateFolderOrBelowHome)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root: folder permissions do not stop root from writing, "
                        "so a read-only program folder cannot be simulated";
    TestFolder dir;
    const std::string d = dir.str() + "/";
    fs::create_directories(dir.path() / "bin");
    fs::permissions(dir.path() / "bin",
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const std::string exe = d + "bin/quiz";
    const std::string path = errorLogPath(exe, d + "state", d + "home");
    EXPECT_EQ(path, d + "state/talvix/" + kLog);
    EXPECT_TRUE(appendToErrorLog(path, "r")) << "the state folder is created";
    EXPECT_EQ(errorLogPath(exe, "", d + "home"), d + "home/.local/state/talvix/" + kLog);
    // A relative XDG_STATE_HOME is not valid and is ignored.
    EXPECT_EQ(errorLogPath(exe, "relative/state", d + "home"), d + "home/.local/state/talvix/" + kLog);
    EXPECT_TRUE(fs::is_directory(dir.path() / "home/.local/state/talvix"));
}
