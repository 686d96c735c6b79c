#include "adapters/standinhost/standinhost.h"
#include "support/testfolder.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace quiz
{
namespace
{

namespace fs = std::filesystem;

// The demo's host file, worked on in a copy so that the project's own stays as it is.
class DemoHost : public ::testing::Test
{
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

// The host file's reading is tested on a folder of the tests' own; here only
// what the end-to-end runs rely on in the demo.
TEST_F(DemoHost, HoldsSixVotingSlidesAResultsSlideAndAShowThatCapturesAtWindowSize)
{
    EXPECT_EQ(fs::path(host->activePresentationPath()).filename(), "show.pptx");
    EXPECT_EQ(fs::path(host->addinFolder("talvix")).filename(), "addin");
    EXPECT_EQ(host->slideShowCurrentSlide(), 6);
    const HostSlide results = host->slide(6);
    EXPECT_TRUE(std::any_of(results.shapes.begin(), results.shapes.end(), [](const HostShape &shape) {
        return shape.name == "QUIZ" && shape.runString == "quiz quiz.quz,DISPLAY";
    }));
    host->runMacro("FindVoteSlides", {});
    EXPECT_EQ(folder.read("quizslds.txt"),
              "\"q1.tlx\"\r\n\"q2.tlx\"\r\n\"q3.tlx\"\r\n\"q4.tlx\"\r\n\"q5.tlx\"\r\n\"q6.tlx\"\r\n");

    for (int i = 1; i <= host->slideCount(); ++i)
        EXPECT_TRUE(fs::exists(folder.path() / "slides" / (std::to_string(i) + ".png"))) << i;
    const auto out = (folder.path() / "capture.png").string();
    host->captureSlideShow(out);
    const QImage shot(QString::fromStdString(out));
    const PixelRect window = host->slideShowWindowRect();
    EXPECT_EQ(shot.size(), QSize(window.width, window.height));
    EXPECT_NE(shot.pixelColor(window.width / 2, 10), QColor(Qt::white)); // the slide's title bar
}

} // namespace
} // namespace quiz
