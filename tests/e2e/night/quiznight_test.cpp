// A quiz night in LibreOffice Impress on an X server of the test's own: the
// office with the Talvix Quiz extension and a fresh profile, the controller
// stand-in attached to it, a click on the quiz slide's QUIZ shape, the top
// places over the show, a click on them, and the show on the next slide.
// The office, the server and the controller are ended by their process ids.

#include "core/common/runend.h"
#include "support/quizrunner.h"
#include "support/xvfb.h"

#ifdef QUIZ_WITH_IMPRESS
#include "adapters/impress/impressunohost.h"
#endif

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <signal.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quiz
{
namespace
{

#ifdef QUIZ_WITH_IMPRESS

namespace fs = std::filesystem;
const std::string kOffice = QUIZ_OFFICE_PROGRAM "/soffice.bin";

std::string readText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeText(const std::string &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The composed texts of the display that a traced run wrote.
std::vector<std::string> displayTexts(const std::string &tracePath)
{
    std::vector<std::string> texts;
    std::istringstream in(readText(tracePath));
    for (std::string line; std::getline(in, line);)
        if (line.rfind("display annotation ", 0) == 0)
            texts.push_back(line);
    return texts;
}

bool waitFor(const std::function<bool()> &condition, int seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        try {
            if (condition())
                return true;
        } catch (const HostError &) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return false;
}

// A program of the test, started with changes to the environment and ended
// by its id. The office started on a new profile may ask to be started again
// (exit code 81).
class Child
{
  public:
    Child(std::vector<std::string> args, std::map<std::string, std::string> env)
        : args_(std::move(args)), env_(std::move(env))
    {
        start();
    }
    ~Child() { stop(); }

    bool runningOrRestarted()
    {
        int status = 0;
        if (pid_ > 0 && waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            if (WIFEXITED(status) && WEXITSTATUS(status) == 81 && restarts_++ < 2)
                start();
        }
        return pid_ > 0;
    }

    void stop()
    {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        for (int i = 0; i < 100 && waitpid(pid_, nullptr, WNOHANG) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (kill(pid_, SIGKILL) == 0)
            waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    void start()
    {
        pid_ = fork();
        if (pid_ != 0)
            return;
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        for (const auto &[name, value] : env_)
            value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
        std::vector<char *> argv;
        for (std::string &arg : args_)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }

    std::vector<std::string> args_;
    std::map<std::string, std::string> env_;
    pid_t pid_ = -1;
    int restarts_ = 0;
};

bool hasProgram(const char *name)
{
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

bool run(const std::string &display, const std::string &command)
{
    return std::system(("DISPLAY=" + display + " " + command + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(QuizNight, AClickOnTheQuizShapeShowsTheTopPlacesAndTheShowMovesOn)
{
    if (access(kOffice.c_str(), X_OK) != 0 || !hasProgram("xdotool"))
        GTEST_SKIP() << "needs LibreOffice Impress and xdotool";
    const std::string extensions = QUIZ_BINARY_DIR "/extension/bundled";
    ASSERT_TRUE(fs::exists(extensions + "/talvix-quiz/TalvixQuiz/Quiz.xba")) << "the extension is not built";

    test::QuizRunner runner;
    const std::string folder = runner.folder().str();
    // The quiz waits for the click: no autostart.
    const std::string setup = readText(folder + "/quiz.quz");
    writeText(folder + "/quiz.quz",
              std::regex_replace(setup, std::regex("autostart=True"), "autostart=False"));
    // What the top places are: the same folder through the host file.
    runner.setEnv("TALVIX_TRACE", folder + "/reference.trace");
    ASSERT_EQ(runner.run({"DISPLAY"}).exitCode, 0);
    const std::vector<std::string> expected = displayTexts(folder + "/reference.trace");
    ASSERT_FALSE(expected.empty());

    // The presentation, its QUIZ shape as a presentation made on Windows keeps it.
    std::string show = readText(folder + "/show.fodp");
    const std::regex macroForm(
        "<svg:desc>quiz.quz,DISPLAY</svg:desc><office:event-listeners>.*?</office:event-listeners>");
    ASSERT_TRUE(std::regex_search(show, macroForm));
    show = std::regex_replace(
        show, macroForm,
        "<office:event-listeners><presentation:event-listener script:event-name=\"dom:click\" "
        "presentation:action=\"execute\" xlink:href=\"C:\\Talvix\\Quiz.exe quiz.quz,DISPLAY\" "
        "xlink:type=\"simple\" xlink:show=\"embed\" xlink:actuate=\"onRequest\"/></office:event-listeners>");
    writeText(folder + "/night.fodp", show);

    test::Xvfb server(1024, 768);
    ASSERT_TRUE(server.running()) << "Xvfb did not start";
    const std::string pipe = "quiz_test_night_" + std::to_string(getpid());
    const std::string connection = "pipe,name=" + pipe;
    // A fresh profile that listens on the test's pipe through the office's
    // own setting (as the extension's is), with no --accept.
    fs::create_directories(folder + "/profile/user");
    writeText(
        folder + "/profile/user/registrymodifications.xcu",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<oor:items "
        "xmlns:oor=\"http://openoffice.org/2001/registry\" xmlns:xs=\"http://www.w3.org/2001/XMLSchema\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n<item "
        "oor:path=\"/org.openoffice.Setup/Office\"><prop oor:name=\"ooSetupConnectionURL\" "
        "oor:op=\"fuse\"><value>" +
            connection + ";urp;</value></prop></item>\n</oor:items>\n");
    writeText(folder + "/end.uiscript", "click FrmTChartDisplay/TChart\n");
    const std::map<std::string, std::string> env = {
        {"DISPLAY", server.display()},
        {"SAL_USE_VCLPLUGIN", "gen"},
        {"QT_QPA_PLATFORM", ""}, // the quiz run works on the X server
        {"TALVIX_IMPRESS", connection},
        {"TALVIX_QUIZ", folder + "/quiz.sh"},
        {"TALVIX_ADDIN_FOLDER", folder + "/addin"},
        {"TALVIX_CONTROLLER_SOCKET", folder + "/night.sock"},
        {"TALVIX_TRACE", folder + "/night.trace"},
        {"TALVIX_UI_SCRIPT", folder + "/end.uiscript"},
        {"TALVIX_UI_SCRIPT_TIMEOUT", "60000"},
        {"TALVIX_DIALOGS", folder + "/dialogs.txt"},
        {"XDG_RUNTIME_DIR", folder},
    };
    writeText(folder + "/dialogs.txt", "");
    // The office starts the quiz program: its standard error is kept.
    writeText(folder + "/quiz.sh", "#!/bin/sh\nexec '" + test::QuizRunner::quizBinary() + "' \"$@\" 2>>'" +
                                       folder + "/quiz.err'\n");
    fs::permissions(folder + "/quiz.sh", fs::perms::owner_all);
    Child office({kOffice, "-env:UserInstallation=file://" + folder + "/profile",
                  "-env:BUNDLED_EXTENSIONS=file://" + extensions, "--norestore", "--nologo", "--nolockcheck",
                  folder + "/night.fodp"},
                 env);
    Child controller({test::QuizRunner::controllerBinary(), "--impress", connection, "--start-show", "6",
                      "--names", folder + "/names.csv", "--log", folder + "/night.log", "--socket",
                      folder + "/night.sock"},
                     env);
    const std::string log = folder + "/night.log";
    const auto logHas = [&](const std::string &text) {
        return readText(log).find(text) != std::string::npos;
    };
    ASSERT_TRUE(
        waitFor([&] { return office.runningOrRestarted() && logHas("started the show at slide 6"); }, 150))
        << readText(log);
    EXPECT_TRUE(logHas("gave 1 QUIZ shape(s)")) << readText(log);
    ASSERT_TRUE(waitFor([&] { return run(server.display(), "xdotool search --name '^Presenting: '"); }, 30));
    std::this_thread::sleep_for(std::chrono::seconds(3));

    // The QUIZ shape starts 9 cm across and 6 cm down the 28 by 15.75 cm page
    // (its height fits its one line), which the show scales to 1024 by 576
    // pixels from y 96.
    // Without a window manager the document's window may come up over the
    // show: the show is raised before each click. A click before the show has
    // settled may be lost: clicked again while the show stays on the quiz
    // slide and no run has started.
    ImpressHost host(connection);
    ASSERT_TRUE(host.attach()) << host.attachError();
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started && host.slideShowCurrentSlide() == 6; ++attempt) {
        ASSERT_TRUE(run(server.display(), "xdotool search --onlyvisible --name '^Presenting: ' windowraise "
                                          "%@ sleep 0.5 mousemove 510 331 sleep 0.3 "
                                          "mousemove 512 333 sleep 0.3 click 1"));
        started = waitFor([&] { return fs::exists(folder + "/night.trace"); }, 10);
    }
    if (!started)
        std::system(("DISPLAY=" + server.display() + " xdotool search --name . getwindowname %@ > '" +
                     folder + "/windows.txt' 2>&1")
                        .c_str());
    ASSERT_TRUE(started) << readText(folder + "/windows.txt") << "no quiz run; the show is on slide "
                         << host.slideShowCurrentSlide() << "\n"
                         << readText(folder + "/quiz.err");
    const std::string uiLog = folder + "/end.uiscript.log";
    ASSERT_TRUE(waitFor([&] { return readText(uiLog).find("\"result\":\"ok\"") != std::string::npos; }, 90))
        << "ui script: " << readText(uiLog) << "\ndialogs: " << readText(folder + "/dialogs.txt.log")
        << "\ncontroller: " << readText(log);
    EXPECT_EQ(displayTexts(folder + "/night.trace"), expected) << readText(log);
    EXPECT_TRUE(waitFor([&] { return logHas("NextSlide,6: moved the show on from slide 6 to slide 7"); }, 30))
        << readText(log);

    EXPECT_EQ(host.slideShowCurrentSlide(), 7);

    // With its autostart on, the quiz starts when its slide is shown again.
    writeText(folder + "/quiz.quz", setup);
    fs::remove(uiLog);
    host.goToSlide(6);
    EXPECT_TRUE(waitFor([&] { return logHas("slide 6 is shown: started"); }, 20)) << readText(log);
    EXPECT_TRUE(waitFor([&] { return readText(uiLog).find("\"result\":\"ok\"") != std::string::npos; }, 60));
    EXPECT_TRUE(waitFor([&] { return host.slideShowCurrentSlide() == 7; }, 30)) << readText(log);
    controller.stop();
    office.stop();
}

#else

TEST(QuizNight, AClickOnTheQuizShapeShowsTheTopPlacesAndTheShowMovesOn)
{
    GTEST_SKIP() << "built without LibreOffice Impress (QUIZ_WITH_IMPRESS is off)";
}

#endif

} // namespace
} // namespace quiz
