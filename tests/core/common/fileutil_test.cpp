#include "core/common/fileutil.h"
#include "support/testfolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace quiz;
using quiz::test::TestFolder;

TEST(FileExists, IsTrueOnlyForAFile)
{
    TestFolder dir;
    dir.write("quiz.quz", "1");
    std::filesystem::create_directory(dir.path() / "sub");
    EXPECT_TRUE(FileExists(dir.str() + "/quiz.quz"));
    EXPECT_FALSE(FileExists(dir.str() + "/"));
    EXPECT_FALSE(FileExists(dir.str() + "/sub"));
    EXPECT_FALSE(FileExists(dir.str() + "/missing"));
    EXPECT_FALSE(FileExists(""));
}

TEST(ResolveFile, FindsANameIgnoringCaseOnlyWhenTheExactOneIsMissing)
{
    TestFolder dir;
    dir.write("quizActive.txt", "");
    dir.write("Q1.TLX", "");
    dir.write("q2.tlx", "");
    dir.write("Q2.tlx", "");
    const std::string f = dir.str();
    EXPECT_EQ(resolveFile(f, "quizactive.txt"), f + "/quizActive.txt");
    EXPECT_EQ(resolveFile(f, "q1.tlx"), f + "/Q1.TLX");
    EXPECT_EQ(resolveFile(f, "Q2.tlx"), f + "/Q2.tlx"); // exact name wins
    EXPECT_EQ(resolveFile(f + "/", "q1.tlx"), f + "/Q1.TLX");
    EXPECT_EQ(resolveFile(f, "new.txt"), f + "/new.txt");
    EXPECT_EQ(resolveFile(f + "/missingfolder", "x"), f + "/missingfolder/x");
    EXPECT_EQ(resolvePath(f + "/Q1.tlx"), f + "/Q1.TLX");
    EXPECT_EQ(resolveFile(f, ""), f + "/");
}

TEST(ReadTextFile, DecodesAndTellsAMissingFile)
{
    TestFolder dir;
    dir.write("a.txt", "\xEF\xBB\xBF\"x\"\r\n");
    dir.write("b.txt", "Fa\xE7"
                       "ade");
    EXPECT_EQ(readTextFile(dir.str() + "/a.txt"), "\"x\"\r\n");
    EXPECT_EQ(readTextFile(dir.str() + "/b.txt"), "Fa\xC3\xA7"
                                                  "ade");
    EXPECT_EQ(readTextFile(dir.str() + "/none.txt"), std::nullopt);
    EXPECT_EQ(readTextFile(dir.str()), std::nullopt);
}

TEST(WriteFileAtomic, ReplacesTheFileAndKeepsItsMode)
{
    TestFolder dir;
    const std::string path = dir.str() + "/quiz.quz";
    ASSERT_TRUE(writeFileAtomic(path, "first"));
    EXPECT_EQ(dir.read("quiz.quz"), "first");
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    ASSERT_TRUE(writeFileAtomic(path, "second"));
    EXPECT_EQ(dir.read("quiz.quz"), "second");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary left";
}

TEST(WriteFileAtomic, FailureLeavesTheOldFileAndNoTemporary)
{
    TestFolder dir;
    const std::string path = dir.str() + "/quiz.quz";
    ASSERT_TRUE(writeFileAtomic(path, "old content"));

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
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(WriteFileAtomic, FailsWithAReasonForAMissingFolderOrAFolderPath)
{
    TestFolder dir;
    std::string error;
    EXPECT_FALSE(writeFileAtomic(dir.str() + "/nofolder/quiz.quz", "x", &error));
    EXPECT_NE(error.find("nofolder"), std::string::npos);
    std::filesystem::create_directory(dir.path() / "sub");
    EXPECT_FALSE(writeFileAtomic(dir.str() + "/sub", "x", &error));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "sub"));
}

TEST(AppendToFile, CreatesThenAppends)
{
    TestFolder dir;
    const std::string path = dir.str() + "/quiz.txt";
    ASSERT_TRUE(appendToFile(path, "a\r\n"));
    ASSERT_TRUE(appendToFile(path, "b\r\n"));
    EXPECT_EQ(dir.read("quiz.txt"), "a\r\nb\r\n");
    std::string error;
    EXPECT_FALSE(appendToFile(dir.str() + "/no/quiz.txt", "x", &error));
    EXPECT_FALSE(error.empty());
}

TEST(IsReadOnly, FollowsTheOwnerWriteBit)
{
    TestFolder dir;
    const auto path = dir.write("quiz.quz", "x");
    EXPECT_FALSE(isReadOnly(path.string()));
    std::filesystem::permissions(path, std::filesystem::perms(0444));
    EXPECT_TRUE(isReadOnly(path.string()));
    EXPECT_FALSE(isReadOnly(dir.str() + "/missing"));
}

TEST(RemoveFile, RemovesFilesOnly)
{
    TestFolder dir;
    const auto path = dir.write("quizActive.txt", "x");
    std::filesystem::create_directory(dir.path() / "sub");
    EXPECT_TRUE(removeFile(path.string()));
    EXPECT_FALSE(FileExists(path.string()));
    EXPECT_FALSE(removeFile(path.string()));
    EXPECT_FALSE(removeFile(dir.str() + "/sub"));
    EXPECT_FALSE(removeFile(""));
}
