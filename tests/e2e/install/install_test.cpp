// The installed tree: `cmake --install` of this build into a temporary prefix
// holds the programs, the office extension, the desktop entry and the man
// pages, and the installed quiz answers --version and --help and runs the
// installed demo through its host file.

#include "support/testfolder.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

namespace quiz
{
namespace
{

namespace fs = std::filesystem;

struct Ran {
    int exitCode = -1;
    std::string out;
};

Ran runInstalled(const std::string &program, const QStringList &args, const QString &folder = {})
{
    QProcess process;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.remove("DISPLAY");
    if (!folder.isEmpty()) {
        env.insert("XDG_RUNTIME_DIR", folder);
        env.insert("TALVIX_CONTROLLER_SOCKET", folder + "/controller.sock");
        env.insert("TALVIX_CONTROLLER_IDLE_EXIT", "5");
        env.insert("TALVIX_CONTROLLER_LOG", folder + "/controller.log");
        env.insert("TALVIX_DIALOGS", folder + "/dialogs.txt");
        process.setWorkingDirectory(folder);
    }
    process.setProcessEnvironment(env);
    process.start(QString::fromStdString(program), args);
    Ran ran;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        ran.exitCode = process.exitCode();
    else
        process.kill();
    ran.out = process.readAllStandardOutput().toStdString();
    return ran;
}

TEST(Install, TheInstalledTreeHoldsEverythingAndRunsTheDemo)
{
    test::TestFolder folder;
    const std::string prefix = folder.str() + "/prefix";
    ASSERT_EQ(
        std::system(("cmake --install '" QUIZ_BINARY_DIR "' --prefix '" + prefix + "' >/dev/null").c_str()),
        0);
    for (const char *file :
         {"bin/quiz", "bin/tlxctrl", "share/talvix/talvix-quiz.oxt", "share/talvix/quiz-impress-demo",
          "share/talvix/demo/show.fodp", "share/talvix/demo/host.json",
          "share/applications/talvix-quiz.desktop", "share/man/man1/quiz.1", "share/man/man1/tlxctrl.1",
          "lib/libreoffice/share/extensions/talvix-quiz/TalvixQuiz/Quiz.xba",
          "lib/libreoffice/share/extensions/talvix-quiz/META-INF/manifest.xml"})
        EXPECT_TRUE(fs::is_regular_file(prefix + "/" + file)) << file;

    const std::string quiz = prefix + "/bin/quiz";
    const Ran version = runInstalled(quiz, {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(
        std::regex_match(version.out, std::regex("quiz \\(Talvix Quiz\\) [0-9]+\\.[0-9]+\\.[0-9]+\n")))
        << version.out;
    // Help is answered wherever it stands, and is not taken for command words.
    const Ran help = runInstalled(quiz, {"--host", "none.json", "DISPLAY", "-h"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char *part :
         {"Usage: quiz", "DISPLAY", "INSERT", "PRINT", "EXPORT", "RESULTSTABLE", "PARTSETUP", "SETUP",
          "WIZARD", "--impress", "TALVIX_IMPRESS", "TALVIX_HOST", "Example:"})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;

    // The installed demo, through its host file, with the installed controller in its add-in folder.
    const std::string demo = folder.str() + "/demo";
    fs::copy(prefix + "/share/talvix/demo", demo, fs::copy_options::recursive);
    fs::copy_file(prefix + "/bin/tlxctrl", demo + "/addin/tlxctrl");
    const Ran display = runInstalled(quiz, {"--host", QString::fromStdString(demo + "/host.json"), "DISPLAY"},
                                     QString::fromStdString(demo));
    EXPECT_EQ(display.exitCode, 0);
    EXPECT_EQ(display.out, demo + "/QuizDisplay.png\n");
    EXPECT_TRUE(fs::is_regular_file(demo + "/QuizDisplay.png"));
    // The installed controller was started from the add-in folder and told to move on.
    std::ifstream log(demo + "/controller.log");
    const std::string logged((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    EXPECT_NE(logged.find("NextSlide,6"), std::string::npos) << logged;
}

} // namespace
} // namespace quiz
