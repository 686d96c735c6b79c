// A quiz night in LibreOffice Impress on an X server of the test's own: the
// office with the Talvix Quiz extension and a fresh profile, the controller
// stand-in attached to it, a click on the quiz slide's QUIZ shape, the top
// places over the show, a click on them, and the show on the next slide.
// The office, the server and the controller are ended by their process ids.

#include "core/common/runend.h"
#include "e2e/night/nightoffice.h"
#include "support/childprocess.h"
#include "support/quizrunner.h"
#include "support/windowmanager.h"
#include "support/xvfb.h"

#include "adapters/impress/impressunohost.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <unistd.h>

namespace quiz
{
namespace
{

namespace fs = std::filesystem;

// The composed texts of the display that a traced run wrote.
std::vector<std::string> displayTexts(const std::string &trace)
{
    const std::regex line("display annotation .*");
    return {std::sregex_token_iterator(trace.begin(), trace.end(), line), std::sregex_token_iterator()};
}

using test::Child;
using test::waitFor;

TEST(QuizNight, AClickOnTheQuizShapeShowsTheTopPlacesAndTheShowMovesOn)
{
    QUIZ_SKIP_WITHOUT_THE_OFFICE();
    test::QuizRunner runner;
    const test::TestFolder &dir = runner.folder();
    const std::string folder = dir.str();
    // The quiz waits for the click; what its top places are: the same folder through the host file.
    const std::string setup = dir.read("quiz.quz");
    dir.write("quiz.quz", std::regex_replace(setup, std::regex("autostart=True"), "autostart=False"));
    runner.setEnv("TALVIX_TRACE", folder + "/reference.trace");
    ASSERT_EQ(runner.run({"DISPLAY"}).exitCode, 0);
    const std::vector<std::string> expected = displayTexts(dir.read("reference.trace"));
    ASSERT_EQ(expected.size(), 10u);

    // The presentation, its QUIZ shape as a presentation made on Windows keeps it.
    const std::regex macroForm(
        "<svg:desc>quiz.quz,DISPLAY</svg:desc><office:event-listeners>.*?</office:event-listeners>");
    dir.write("night.fodp",
              std::regex_replace(dir.read("quiznight.fodp"), macroForm,
                                 "<office:event-listeners><presentation:event-listener "
                                 "script:event-name=\"dom:click\" presentation:action=\"execute\" "
                                 "xlink:href=\"C:\\Talvix\\Quiz.exe quiz.quz,DISPLAY\"/>"
                                 "</office:event-listeners>"));
    test::Xvfb server(1024, 768);
    ASSERT_TRUE(server.running()) << "Xvfb did not start";
    const test::WindowManager manager(server.display()); // openbox in the second run
    ASSERT_TRUE(manager.ok()) << "the window manager did not start";
    const std::string connection = "pipe,name=quiz_test_night_" + std::to_string(getpid());
    dir.write("end.uiscript", "click FrmTChartDisplay/TChart\n");
    auto env = test::nightEnvironment(dir, server.display(), connection, runner.quizBinary(), "night");
    env["TALVIX_TRACE"] = folder + "/night.trace";
    env["TALVIX_UI_SCRIPT"] = folder + "/end.uiscript";
    Child office = test::startNightOffice(dir, env, "night.fodp");
    Child controller({runner.controllerBinary(), "--impress", connection, "--start-show", "6", "--names",
                      folder + "/names.csv", "--log", folder + "/night.log", "--socket",
                      folder + "/night.sock"},
                     env);
    const auto logHas = [&](const std::string &text) {
        return dir.read("night.log").find(text) != std::string::npos;
    };
    const auto displayEnded = [&] {
        return dir.read("end.uiscript.log").find("\"result\":\"ok\"") != std::string::npos;
    };
    ASSERT_TRUE(
        waitFor([&] { return office.runningOrRestarted() && logHas("started the show at slide 6"); }, 150))
        << dir.read("night.log");
    EXPECT_TRUE(logHas("gave 1 QUIZ shape(s)")) << dir.read("night.log");
    ImpressHost host(connection);
    ASSERT_TRUE(host.attach()) << host.attachError();

    // The shape's top left is 9 cm across and 6 cm down the 28 by 15.75 cm
    // page, which the show scales to 1024 by 576 pixels from y 96. A click
    // before the show has settled may be lost: clicked again. The controller
    // follows the show's clicks once it says so.
    ASSERT_TRUE(waitFor([&] { return logHas("following the show"); }, 30)) << dir.read("night.log");
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started && host.slideShowCurrentSlide() == 6; ++attempt)
        started = test::clickTheShow(server.display(), 510, 331) &&
                  waitFor([&] { return fs::exists(folder + "/night.trace"); }, 10);
    ASSERT_TRUE(started) << "no quiz run; the show is on slide " << host.slideShowCurrentSlide();
    // The controller heard the click through the show: no macro started the run.
    EXPECT_TRUE(waitFor([&] { return logHas("a click on a QUIZ shape: started"); }, 10))
        << dir.read("night.log");
    ASSERT_TRUE(waitFor(displayEnded, 90)) << dir.read("end.uiscript.log") << dir.read("dialogs.txt.log");
    EXPECT_EQ(displayTexts(dir.read("night.trace")), expected);
    EXPECT_TRUE(waitFor([&] { return logHas("NextSlide,6: moved the show on from slide 6 to slide 7"); }, 30))
        << dir.read("night.log");
    EXPECT_EQ(host.slideShowCurrentSlide(), 7);

    // With its autostart on, the quiz starts when its slide is shown again.
    dir.write("quiz.quz", setup);
    fs::remove(folder + "/end.uiscript.log");
    host.goToSlide(6);
    EXPECT_TRUE(waitFor([&] { return logHas("slide 6 is shown: started"); }, 20)) << dir.read("night.log");
    EXPECT_TRUE(waitFor(displayEnded, 60));
    EXPECT_TRUE(waitFor([&] { return host.slideShowCurrentSlide() == 7; }, 30)) << dir.read("night.log");
}

} // namespace
} // namespace quiz
