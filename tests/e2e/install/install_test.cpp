// The installed tree: `cmake --install` of this build into a temporary prefix
// holds the programs, the office extension, the desktop entry and the man
// pages; the installed quiz answers --version and runs the installed demo
// through its host file with the installed controller. (Its help: the
// startup-help scenario.)

#include "support/testfolder.h"
#include "support/wait.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

namespace quiz
{
namespace
{

namespace fs = std::filesystem;

// Standard output of the installed quiz; "exit N" added when it ends with N.
std::string runInstalled(const std::string &prefix, const QStringList &args, const QString &folder = ".")
{
    QProcess process;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("DISPLAY");
    env.insert("XDG_RUNTIME_DIR", folder);
    env.insert("TALVIX_DIALOGS", folder + "/dialogs.txt");
    env.insert("TALVIX_CONTROLLER_SOCKET", folder + "/controller.sock");
    env.insert("TALVIX_CONTROLLER_LOG", folder + "/controller.log");
    env.insert("TALVIX_CONTROLLER_IDLE_EXIT", "5");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    process.start(QString::fromStdString(prefix + "/bin/quiz"), args);
    const bool ended = process.waitForFinished(60000);
    const std::string out = process.readAllStandardOutput().toStdString();
    return ended && process.exitCode() == 0 ? out : out + "exit " + std::to_string(process.exitCode());
}

TEST(Install, TheInstalledTreeHoldsEverythingAndRunsTheDemo)
{
    test::TestFolder folder;
    const std::string prefix = folder.str() + "/prefix", demo = folder.str() + "/demo";
    ASSERT_EQ(
        std::system(("cmake --install '" QUIZ_BINARY_DIR "' --prefix '" + prefix + "' >/dev/null").c_str()),
        0);
    for (const char *file : {"bin/tlxctrl", "share/talvix/talvix-quiz.oxt", "share/talvix/quiz-impress-demo",
                             "share/applications/talvix-quiz.desktop", "share/man/man1/quiz.1.gz",
                             "share/doc/talvix-quiz/copyright", "share/doc/talvix-quiz/changelog.gz",
                             "lib/libreoffice/share/extensions/talvix-quiz/TalvixQuiz/Quiz.xba"})
        EXPECT_TRUE(fs::is_regular_file(prefix + "/" + file)) << file;

    EXPECT_TRUE(std::regex_match(runInstalled(prefix, {"--version"}),
                                 std::regex("quiz \\(Talvix Quiz\\) [0-9]+\\.[0-9]+\\.[0-9]+\n")));

    fs::copy(prefix + "/share/talvix/demo", demo, fs::copy_options::recursive);
    fs::copy_file(prefix + "/bin/tlxctrl", demo + "/addin/tlxctrl");
    EXPECT_EQ(runInstalled(prefix, {"--host", QString::fromStdString(demo + "/host.json"), "DISPLAY"},
                           QString::fromStdString(demo)),
              demo + "/QuizDisplay.png\n");
    EXPECT_TRUE(fs::is_regular_file(demo + "/QuizDisplay.png"));
    // The controller may log the command a moment after the program has ended.
    EXPECT_TRUE(test::waitUntil([&] {
        return folder.read("demo/controller.log").find("NextSlide,6") != std::string::npos;
    })) << folder.read("demo/controller.log");
}

// The Debian package that cpack builds passes Debian's own checker: lintian
// reports no error and no warning (what it cannot accept is mended or
// overridden in the package with the reason).
TEST(Install, TheDebianPackagePassesLintian)
{
    if (std::system("command -v lintian >/dev/null && command -v dpkg-shlibdeps >/dev/null") != 0)
        GTEST_SKIP() << "needs lintian and dpkg-dev";
    test::TestFolder folder;
    const std::string out = folder.str();
    ASSERT_EQ(std::system(("cd '" + out +
                           "' && cpack -G DEB --config '" QUIZ_BINARY_DIR "/CPackConfig.cmake' -B '" + out +
                           "' >cpack.log 2>&1")
                              .c_str()),
              0)
        << folder.read("cpack.log");
    std::string deb;
    for (const auto &entry : fs::directory_iterator(out))
        if (entry.path().extension() == ".deb")
            deb = entry.path().string();
    ASSERT_FALSE(deb.empty()) << folder.read("cpack.log");
    std::system(("lintian --no-cfg '" + deb + "' >'" + out + "/lintian.log' 2>&1").c_str());
    const std::string report = folder.read("lintian.log");
    EXPECT_FALSE(std::regex_search(report, std::regex("^[EW]: ", std::regex::multiline))) << report;
}

} // namespace
} // namespace quiz
