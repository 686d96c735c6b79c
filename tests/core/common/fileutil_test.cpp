#include "core/common/fileutil.h"
#include "support/testfolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace quiz;
using quiz::test::TestFolder;
namespace fs = std::filesystem;

TEST(FileUtil, ExistsReadOnlyAndRemoveTakeFilesOnly)
{
    TestFolder dir;
    const std::string file = dir.write("quiz.quz", "1").string(), sub = dir.str() + "/sub";
    fs::create_directory(sub);
    EXPECT_TRUE(FileExists(file));
    for (const std::string &no : {dir.str() + "/", sub, dir.str() + "/missing", std::string()})
        EXPECT_FALSE(FileExists(no) || isReadOnly(no) || removeFile(no) || readTextFile(no)) << no;
    EXPECT_FALSE(isReadOnly(file));
    EXPECT_EQ(readTextFile(dir.write("bom.txt", "\xEF\xBB\xBF\"x\"\r\n").string()), "\"x\"\r\n");
    fs::permissions(file, fs::perms(0444));
    EXPECT_TRUE(isReadOnly(file));
    EXPECT_TRUE(removeFile(file));
    EXPECT_FALSE(FileExists(file) || removeFile(file));
    EXPECT_TRUE(fs::is_directory(sub));
}

TEST(WriteFileAtomic, ReplacesTheFileKeepsItsModeAndAFailureLeavesTheOldFile)
{
    TestFolder dir;
    const std::string path = dir.str() + "/quiz.quz";
    ASSERT_TRUE(writeFileAtomic(path, "first"));
    fs::permissions(path, fs::perms(0640));
    ASSERT_TRUE(writeFileAtomic(path, "old content"));
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0640));

    // A file-size limit makes the write of the new content fail half-way.
    struct rlimit saved {
    };
    getrlimit(RLIMIT_FSIZE, &saved);
    auto *previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    std::string error;
    const bool ok = writeFileAtomic(path, std::string(4096, 'x'), &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(ok);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(dir.read("quiz.quz"), "old content");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << "no temporary left";

    EXPECT_FALSE(writeFileAtomic(dir.str() + "/nofolder/quiz.quz", "x", &error));
    EXPECT_NE(error.find("nofolder"), std::string::npos);
    fs::create_directory(dir.path() / "sub");
    EXPECT_FALSE(writeFileAtomic(dir.str() + "/sub", "x", &error));
    EXPECT_TRUE(fs::is_directory(dir.path() / "sub"));
}

// Creating quiz.txt and appending to it are checked with its record (the quiz
// tests' DemoMeeting, the display scenario); a missing folder fails with the reason.
TEST(AppendToFile, AMissingFolderFailsWithTheReason)
{
    TestFolder dir;
    std::string error;
    EXPECT_FALSE(appendToFile(dir.str() + "/no/quiz.txt", "x", &error));
    EXPECT_NE(error.find("cannot open " + dir.str() + "/no/quiz.txt"), std::string::npos) << error;
}
