// LibreOffice Impress itself, started by the test on an X server of its own
// with a fresh profile, reached over a pipe named for this test; both are
// ended by their process ids.

#include "core/common/runend.h"
#include "support/testfolder.h"
#include "support/xvfb.h"

#ifdef QUIZ_WITH_IMPRESS
#include "adapters/impress/impressunohost.h"
#endif

#include <QImage>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace quiz
{
namespace
{

#ifdef QUIZ_WITH_IMPRESS

const std::string kOffice = QUIZ_OFFICE_PROGRAM "/soffice.bin";

// Polls until the condition holds (host errors count as "not yet").
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

class Office
{
  public:
    Office(const std::string &display, const std::string &pipe, const test::TestFolder &folder,
           const std::string &document)
        : args_{"soffice",       "-env:UserInstallation=file://" + folder.str() + "/profile",
                "--norestore",   "--nologo",
                "--nolockcheck", "--accept=pipe,name=" + pipe + ";urp;",
                document},
          display_(display)
    {
        start();
    }
    ~Office() { stop(); }

    // A first start with a new profile may ask its launcher to start it again.
    bool restartedIfAsked()
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
        setenv("DISPLAY", display_.c_str(), 1);
        setenv("SAL_USE_VCLPLUGIN", "gen", 1);
        std::vector<char *> argv;
        for (std::string &arg : args_)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(kOffice.c_str(), argv.data());
        _exit(127);
    }

    std::vector<std::string> args_;
    std::string display_;
    pid_t pid_ = -1;
    int restarts_ = 0;
};

const HostShape *shapeNamed(const HostSlide &slide, const std::string &name)
{
    for (const HostShape &shape : slide.shapes)
        if (shape.name == name)
            return &shape;
    return nullptr;
}

TEST(ImpressOffice, ReadsShowsEditsAndLosesTheOffice)
{
    if (access(kOffice.c_str(), X_OK) != 0)
        GTEST_SKIP() << "LibreOffice Impress is not installed (" << kOffice << ")";
    test::Xvfb server(1024, 768);
    ASSERT_TRUE(server.running()) << "Xvfb did not start";
    test::TestFolder folder;
    const std::string document = folder.str() + "/my quiz.fodp";
    std::filesystem::copy_file(QUIZ_TEST_DATA "/impress/quiz.fodp", document);
    const std::string pipe = "quiz_test_impress_" + std::to_string(getpid());
    Office office(server.display(), pipe, folder, document);

    ImpressHost host("pipe,name=" + pipe);
    ASSERT_TRUE(
        waitFor([&] { return office.restartedIfAsked() && host.attach() && host.slideCount() == 3; }, 120))
        << host.attachError();

    // What the document holds.
    EXPECT_EQ(host.presentationCount(), 1);
    EXPECT_EQ(host.activePresentationPath(), document);
    // The office's default 16:9 page: 28 cm by 15.75 cm.
    EXPECT_NEAR(host.pageWidth(), 28 / 2.54 * 72, 0.05);
    EXPECT_NEAR(host.pageHeight(), 15.75 / 2.54 * 72, 0.05);
    const HostSlide first = host.slide(1);
    // The flat file's title frames arrive as plain text shapes: their text is the slide's.
    EXPECT_EQ(first.text, "Which colour?\rRed\r");
    EXPECT_EQ(first.tags, (std::map<std::string, std::string>{{"QUIZID", "7"}}));
    const HostShape *vote = shapeNamed(first, "VOTE 1");
    ASSERT_NE(vote, nullptr);
    EXPECT_EQ(vote->runString, "/opt/talvix/quiz quiz.quz,DISPLAY");
    EXPECT_EQ(vote->tags, (std::map<std::string, std::string>{{"CHOICE", "A"}}));
    EXPECT_NEAR(vote->left, 72.0, 0.05);
    EXPECT_NEAR(vote->width, 144.0, 0.05);
    ASSERT_NE(shapeNamed(first, "QUIZ"), nullptr);
    EXPECT_EQ(shapeNamed(first, "QUIZ")->runString, "/opt/talvix/quiz quiz.quz,INSERT");
    EXPECT_EQ(host.slide(3).text, "Results\r");
    EXPECT_THROW(host.slide(4), HostError);

    // Tags written and removed.
    host.setSlideTag(3, "quizid", "8");
    host.deleteShapeTag(1, "VOTE 1", "CHOICE");
    EXPECT_EQ(host.slide(3).tags.at("QUIZID"), "8");
    EXPECT_TRUE(shapeNamed(host.slide(1), "VOTE 1")->tags.empty());

    // The show counts the hidden slide 2 in the document's numbering.
    EXPECT_EQ(host.slideShowWindowCount(), 0);
    host.startShow(3);
    EXPECT_TRUE(
        waitFor([&] { return host.slideShowWindowCount() == 1 && host.slideShowCurrentSlide() == 3; }, 30));
    host.goToSlide(1);
    EXPECT_TRUE(waitFor([&] { return host.slideShowCurrentSlide() == 1; }, 10));
    host.endShow();
    EXPECT_TRUE(waitFor([&] { return host.slideShowWindowCount() == 0; }, 10));

    // A picture pasted, placed, renamed and deleted.
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    const std::string picture = folder.str() + "/chart 1.png";
    ASSERT_TRUE(image.save(QString::fromStdString(picture)));
    const std::string pasted = host.pastePicture(3, picture);
    HostShape placed;
    placed.name = "talvix chart 1A";
    placed.left = 36;
    placed.top = 72;
    placed.width = 360;
    placed.height = 270;
    host.updateShape(3, pasted, placed);
    const HostSlide slide3 = host.slide(3); // the shape found lives in it
    const HostShape *chart = shapeNamed(slide3, "talvix chart 1A");
    ASSERT_NE(chart, nullptr);
    EXPECT_NEAR(chart->top, 72.0, 0.05);
    EXPECT_NEAR(chart->height, 270.0, 0.05);
    host.deleteShape(3, "talvix chart 1A");
    EXPECT_EQ(shapeNamed(host.slide(3), "talvix chart 1A"), nullptr);
    EXPECT_THROW(host.deleteShape(3, "talvix chart 1A"), HostError);

    // A dead office ends the run.
    office.stop();
    try {
        waitFor([&] { return host.slideCount() < 0; }, 10);
        ADD_FAILURE() << "the run went on without the office";
    } catch (const RunEnded &end) {
        EXPECT_NE(end.reason.find("LibreOffice Impress"), std::string::npos) << end.reason;
    }
}

#else

TEST(ImpressOffice, ReadsShowsEditsAndLosesTheOffice)
{
    GTEST_SKIP() << "built without LibreOffice Impress (QUIZ_WITH_IMPRESS is off)";
}

#endif

} // namespace
} // namespace quiz
