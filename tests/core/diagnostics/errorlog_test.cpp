#include "core/diagnostics/errorlog.h"
#include "tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

using namespace quiz;
namespace fs = std::filesystem;

namespace
{
const std::string dashes(65, '-');
std::string entry(const std::string &report)
{
    return "\r\n" + dashes + "\r\n" + report + "\r\n" + dashes + "\r\n";
}
} // namespace

TEST(ErrorLog, ReportsAreAppendedInOrder)
{
    TempDir dir;
    const std::string log = dir.file("Err - quiz.log");
    ASSERT_TRUE(appendToErrorLog(log, "first"));
    ASSERT_TRUE(appendToErrorLog(log, "second"));
    EXPECT_EQ(TempDir::read(log), entry("first") + entry("second"));
}

TEST(ErrorLog, KeepsTheFirst50000CharactersSoLaterReportsAreLost)
{
    TempDir dir;
    const std::string log = dir.file("Err - quiz.log");
    const std::string old(49990, 'a');
    TempDir::write(log, old);
    ASSERT_TRUE(appendToErrorLog(log, "report"));
    const std::string cut = TempDir::read(log);
    EXPECT_EQ(cut.size(), 50000u);
    EXPECT_EQ(cut, (old + entry("report")).substr(0, 50000));

    ASSERT_TRUE(appendToErrorLog(log, "later"));
    EXPECT_EQ(TempDir::read(log), cut);
}

TEST(ErrorLog, LimitCountsCharactersNotBytes)
{
    const std::string old = [] {
        std::string s;
        for (int i = 0; i < 49999; ++i)
            s += "\xC3\xA9"; // é
        return s;
    }();
    const std::string grown = grownErrorLog(old, "r");
    EXPECT_EQ(grown, old + "\r");
}

TEST(ErrorLog, FirstCharactersNeverSplitsACharacter)
{
    struct Case {
        const char *text;
        size_t limit;
        const char *kept;
    } cases[] = {
        {"", 3, ""},
        {"abc", 0, ""},
        {"abc", 2, "ab"},
        {"abc", 9, "abc"},
        {"\xC3\xA9x", 1, "\xC3\xA9"},
        {"a\xE2\x82\xAC"
         "b",
         2, "a\xE2\x82\xAC"},
        {"\xF0\x9F\x98\x80!", 1, "\xF0\x9F\x98\x80"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(firstCharacters(c.text, c.limit), c.kept) << c.text << " " << c.limit;
}

TEST(ErrorLog, OldWindows1252LogIsKeptAsUtf8)
{
    TempDir dir;
    const std::string log = dir.file("Err - quiz.log");
    TempDir::write(log, "caf\xE9 \x80");
    ASSERT_TRUE(appendToErrorLog(log, "r"));
    EXPECT_EQ(TempDir::read(log), "caf\xC3\xA9 \xE2\x82\xAC" + entry("r"));
}

TEST(ErrorLog, ReadOnlyLogFileIsStillReplaced)
{
    TempDir dir;
    const std::string log = dir.file("Err - quiz.log");
    TempDir::write(log, "old");
    fs::permissions(log, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(appendToErrorLog(log, "r"));
    EXPECT_EQ(TempDir::read(log), "old" + entry("r"));
}

TEST(ErrorLog, NoTemporaryFileIsLeftBehind)
{
    TempDir dir;
    ASSERT_TRUE(appendToErrorLog(dir.file("Err - quiz.log"), "r"));
    ASSERT_TRUE(appendToErrorLog(dir.file("Err - quiz.log"), "s"));
    int files = 0;
    for (const auto &e : fs::directory_iterator(dir.path())) {
        ++files;
        EXPECT_EQ(e.path().filename(), "Err - quiz.log");
    }
    EXPECT_EQ(files, 1);
}

TEST(ErrorLog, EmptyPathOrMissingFolderWritesNothing)
{
    EXPECT_FALSE(appendToErrorLog("", "r"));
    TempDir dir;
    EXPECT_FALSE(appendToErrorLog(dir.file("no/such/Err - quiz.log"), "r"));
}

TEST(ErrorLogPath, BesideTheExecutableWhenItsFolderIsWritable)
{
    TempDir dir;
    EXPECT_EQ(errorLogPath(dir.file("quiz"), dir.file("state"), dir.file("home")),
              dir.file("Err - quiz.log"));
    EXPECT_EQ(errorLogPath(dir.file("Quiz.exe"), "", ""), dir.file("Err - Quiz.log"));
    EXPECT_FALSE(fs::exists(dir.path() / "state"));
}

TEST(ErrorLogPath, ExecutableNameLosesOnlyItsLastExtension)
{
    EXPECT_EQ(executableBaseName("/opt/talvix/quiz"), "quiz");
    EXPECT_EQ(executableBaseName("/opt/talvix/Quiz.exe"), "Quiz");
    EXPECT_EQ(executableBaseName("/opt/tal.vix/quiz.v2.bin"), "quiz.v2");
}

class ReadOnlyProgramFolder : public ::testing::Test
{
  protected:
    void SetUp() override
    {
        if (::geteuid() == 0)
            GTEST_SKIP() << "running as root: folder permissions do not stop root from writing, "
                            "so a read-only program folder cannot be simulated";
        fs::create_directories(dir.path() / "bin");
        fs::permissions(dir.path() / "bin", fs::perms::owner_read | fs::perms::owner_exec |
                                                fs::perms::group_read | fs::perms::group_exec |
                                                fs::perms::others_read | fs::perms::others_exec);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir.path() / "bin", fs::perms::owner_all, fs::perm_options::add, ec);
    }
    TempDir dir;
};

TEST_F(ReadOnlyProgramFolder, LogGoesToTheStateFolderWhichIsCreated)
{
    const std::string exe = (dir.path() / "bin" / "quiz").string();
    const std::string path = errorLogPath(exe, dir.file("state"), dir.file("home"));
    EXPECT_EQ(path, dir.file("state/talvix/Err - quiz.log"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "state" / "talvix"));
    EXPECT_TRUE(appendToErrorLog(path, "r"));
}

TEST_F(ReadOnlyProgramFolder, WithoutStateHomeTheLogGoesBelowHome)
{
    const std::string exe = (dir.path() / "bin" / "quiz").string();
    EXPECT_EQ(errorLogPath(exe, "", dir.file("home")), dir.file("home/.local/state/talvix/Err - quiz.log"));
    // A relative XDG_STATE_HOME is not valid and is ignored.
    EXPECT_EQ(errorLogPath(exe, "relative/state", dir.file("home")),
              dir.file("home/.local/state/talvix/Err - quiz.log"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "home" / ".local" / "state" / "talvix"));
}

TEST(ErrorLogPath, MissingProgramFolderCountsAsNotWritable)
{
    TempDir dir;
    EXPECT_EQ(errorLogPath(dir.file("gone/quiz"), dir.file("state"), ""),
              dir.file("state/talvix/Err - quiz.log"));
}
