#include "adapters/standinhost/standinhost.h"
#include "support/testfolder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <filesystem>

namespace quiz {
namespace {

namespace fs = std::filesystem;

// The demo's host file, worked on in a copy so that the project's own stays as it is.
class DemoHost : public ::testing::Test {
protected:
    test::TestFolder folder;
    std::unique_ptr<StandInHost> host;
    void SetUp() override
    {
        const fs::path demo = QUIZ_DEMO_DIR;
        fs::copy_file(demo / "host.json", folder.path() / "host.json");
        fs::copy(demo / "slides", folder.path() / "slides");
        std::string error;
        host = StandInHost::open((folder.path() / "host.json").string(), &error);
        ASSERT_TRUE(host) << error;
    }
};

TEST_F(DemoHost, DescribesAPresentationWithFourVotingSlidesAndAResultsSlide)
{
    EXPECT_EQ(host->presentationCount(), 1);
    EXPECT_EQ(fs::path(host->activePresentationPath()).filename(), "show.pptx");
    EXPECT_EQ(fs::path(host->addinFolder("talvix")).filename(), "addin");
    EXPECT_EQ(host->slideCount(), 6);
    EXPECT_EQ(host->slideShowWindowCount(), 1);
    EXPECT_EQ(host->slideShowCurrentSlide(), 6);
    const HostSlide results = host->slide(6);
    bool quizShape = false;
    for (const auto &shape : results.shapes)
        quizShape = quizShape || (shape.name == "QUIZ" && shape.runString == "quiz quiz.quz,DISPLAY");
    EXPECT_TRUE(quizShape);

    host->runMacro("FindVoteSlides", {});
    EXPECT_EQ(folder.read("quizslds.txt"), "\"q1.tlx\"\r\n\"q2.tlx\"\r\n\"q3.tlx\"\r\n\"q4.tlx\"\r\n");
}

TEST_F(DemoHost, EverySlideHasItsPictureAndTheShowCapturesAtWindowSize)
{
    for (int i = 1; i <= host->slideCount(); ++i)
        EXPECT_TRUE(fs::exists(folder.path() / "slides" / (std::to_string(i) + ".png"))) << i;
    const auto out = (folder.path() / "capture.png").string();
    host->captureSlideShow(out);
    const QImage shot(QString::fromStdString(out));
    const PixelRect window = host->slideShowWindowRect();
    EXPECT_EQ(shot.size(), QSize(window.width, window.height));
    EXPECT_NE(shot.pixelColor(window.width / 2, 10), QColor(Qt::white)); // the slide's title bar
}

TEST_F(DemoHost, ListsTheMainWindowAndTheShowWindow)
{
    const auto windows = host->windows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0].title, "PowerPoint Slide Show - [show.pptx]");
    EXPECT_EQ(windows[1].title, "Microsoft PowerPoint - [show.pptx]");
}

} // namespace
} // namespace quiz
