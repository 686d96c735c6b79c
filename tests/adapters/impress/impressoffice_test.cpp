// LibreOffice Impress itself, started by the test on an X server of its own
// with a fresh profile, reached over a pipe named for this test; both are
// ended by their process ids. One office per document.

#include "core/common/runend.h"
#include "support/office.h"
#include "support/testfolder.h"
#include "support/xvfb.h"

#include "adapters/impress/impressunohost.h"
#include "support/quizrunner.h"
#include "support/xlsxreadback.h"

#include <QImage>
#include <QProcess>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace quiz
{
namespace
{

const auto waitFor = test::waitThroughErrors; // host errors count as "not yet"

const HostShape *shapeNamed(const HostSlide &slide, const std::string &name)
{
    for (const HostShape &shape : slide.shapes)
        if (shape.name == name)
            return &shape;
    return nullptr;
}

// An office on the test's X server with one document, listening on a pipe
// named for the test, attached to by host.
struct Session {
    Session(const test::Xvfb &server, const test::TestFolder &folder, const std::string &document,
            const std::string &name)
        : pipe("quiz_test_impress_" + name + std::to_string(getpid())),
          office(test::startOffice(folder.str() + "/profile",
                                   {"--accept=pipe,name=" + pipe + ";urp;", document},
                                   {{"DISPLAY", server.display()}, {"SAL_USE_VCLPLUGIN", "gen"}})),
          host("pipe,name=" + pipe)
    {
    }
    bool attached(int slides)
    {
        return waitFor(
            [&] { return office.runningOrRestarted() && host.attach() && host.slideCount() == slides; }, 120);
    }
    std::string pipe;
    test::Child office;
    ImpressHost host;
};

// The demo presentation folder with show.fodp, a presentation of its questions
// (slide 7 hidden), read, shown, changed and run against by the program.
TEST(ImpressOffice, ReadsShowsEditsRunsTheModesAndLosesTheOffice)
{
    if (!test::officeInstalled())
        GTEST_SKIP() << "LibreOffice Impress is not installed (" << test::officeProgram << ")";
    test::Xvfb server(1024, 768);
    ASSERT_TRUE(server.running()) << "Xvfb did not start";
    test::QuizRunner runner;
    const std::string document = runner.dataPath("show.fodp");
    std::filesystem::copy_file(QUIZ_TEST_DATA "/impress/show.fodp", document);
    std::filesystem::remove(runner.dataPath("quizslds.txt"));
    Session session(server, runner.folder(), document, "odp");
    ImpressHost &host = session.host;
    ASSERT_TRUE(session.attached(8)) << host.attachError();

    // What the document holds.
    EXPECT_EQ(host.presentationCount(), 1);
    EXPECT_EQ(host.activePresentationPath(), document);
    // The office's default 16:9 page: 28 cm by 15.75 cm.
    EXPECT_NEAR(host.pageWidth(), 28 / 2.54 * 72, 0.05);
    EXPECT_NEAR(host.pageHeight(), 15.75 / 2.54 * 72, 0.05);
    EXPECT_EQ(host.slide(1).tags, (std::map<std::string, std::string>{{"QUIZID", "7"}}));
    const HostSlide second = host.slide(2);
    EXPECT_EQ(second.title, "Question 1");
    EXPECT_EQ(second.text, "Mercury\nVenus\nEarth\nJupiter\r");
    const HostShape *vote = shapeNamed(second, "VOTE");
    ASSERT_NE(vote, nullptr);
    EXPECT_EQ(vote->runString, "C:/Talvix/vote.exe q1.tlx,1");
    EXPECT_EQ(vote->tags, (std::map<std::string, std::string>{{"QUIZTLXNAME", "q1.tlx"}}));
    EXPECT_NEAR(vote->left, 20 / 2.54 * 72, 0.05);
    EXPECT_NEAR(vote->width, 144.0, 0.05);
    ASSERT_NE(shapeNamed(host.slide(6), "QUIZ"), nullptr);
    EXPECT_EQ(shapeNamed(host.slide(6), "QUIZ")->runString, "/opt/talvix/quiz quiz.quz,DISPLAY");
    EXPECT_THROW(host.slide(9), HostError);

    // The add-in's macros.
    host.runMacro("FindVoteSlides", {});
    EXPECT_EQ(runner.folder().read("quizslds.txt"),
              "\"q1.tlx\"\r\n\"q2.tlx\"\r\n\"q3.tlx\"\r\n\"q4.tlx\"\r\n\"q5.tlx\"\r\n\"q6.tlx\"\r\n");
    EXPECT_EQ(host.slideShowWindowCount(), 0);
    host.runMacro("StartShowEdit", {"2"});
    EXPECT_EQ(host.slideShowWindowCount(), 1);
    EXPECT_TRUE(waitFor([&] { return host.slideShowCurrentSlide() == 2; }, 10));
    // The show counts the hidden slide 7 in the document's numbering.
    host.goToSlide(8);
    EXPECT_TRUE(waitFor([&] { return host.slideShowCurrentSlide() == 8; }, 10));
    host.setProgramPath("/opt/my apps/quiz");
    host.runMacro("AddVoteToSlide", {"night.quz"});
    host.runMacro("addVoteToSlide", {"NIGHT.quz"});
    const HostSlide attached = host.slide(8);
    ASSERT_EQ(attached.shapes.size(), 4u);
    EXPECT_EQ(attached.shapes[3].name, "QUIZ");
    EXPECT_EQ(attached.shapes[3].runString, "\"/opt/my apps/quiz\" NIGHT.quz,DISPLAY");
    EXPECT_THROW(host.runMacro("AddVoteToSlide", {}), HostError);
    host.runMacro("Brevak", {});
    EXPECT_THAT([&] { host.runMacro("NoSuchMacro", {}); },
                testing::ThrowsMessage<HostError>(testing::StrEq("Macro NoSuchMacro cannot be found.")));

    // A picture pasted, placed, renamed and deleted.
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    const std::string picture = runner.dataPath("chart 1.png");
    ASSERT_TRUE(image.save(QString::fromStdString(picture)));
    HostShape placed;
    placed.name = "talvix chart 1A";
    placed.width = host.pageWidth();
    placed.height = host.pageHeight();
    host.updateShape(8, host.pastePicture(8, picture), placed);
    host.runMacro("EndShowEdit", {});
    EXPECT_EQ(host.slideShowWindowCount(), 0);
    HostSlide shown = host.slide(8); // the shape found lives in it
    const HostShape *chart = shapeNamed(shown, "talvix chart 1A");
    ASSERT_NE(chart, nullptr);
    EXPECT_NEAR(chart->height, host.pageHeight(), 0.05);
    host.deleteShape(8, "talvix chart 1A");
    EXPECT_EQ(shapeNamed(host.slide(8), "talvix chart 1A"), nullptr);
    EXPECT_THROW(host.deleteShape(8, "talvix chart 1A"), HostError);

    // The program's modes against the presentation in the office.
    runner.useImpress("pipe,name=" + session.pipe);
    runner.setEnv("DISPLAY", server.display());
    runner.setEnv("TALVIX_ADDIN_FOLDER", runner.dataPath("addin"));
    test::QuizRunResult r = runner.run({"quiz.quz,INSERT,6"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    shown = host.slide(6);
    chart = shapeNamed(shown, "talvix chart 1A");
    ASSERT_NE(chart, nullptr) << r.err;
    // The demo's display area (0.25, 0.25, 0.5, 0.5) on the page; its top moves down by 22 screen pixels.
    EXPECT_NEAR(chart->left, host.pageWidth() * 0.25, 0.05);
    EXPECT_NEAR(chart->width, host.pageWidth() * 0.5 + 20, 0.05);
    EXPECT_NEAR(chart->height, host.pageHeight() * 0.5 + 8, 0.05);
    EXPECT_GT(chart->top, host.pageHeight() * 0.25);
    EXPECT_LT(chart->top, host.pageHeight() * (0.25 + 22.0 / 480));
    runner.setEnv("TALVIX_OUTPUT", runner.dataPath("summary.pdf"));
    r = runner.run({"PRINT"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_GT(std::filesystem::file_size(runner.dataPath("summary.pdf")), 0u);
    runner.setEnv("TALVIX_OUTPUT", runner.dataPath("export.xls"));
    r = runner.run({"EXPORT"});
    EXPECT_NE(r.err.find("successfully exported to " + runner.dataPath("export.xls")), std::string::npos)
        << r.err;
    runner.setEnv("TALVIX_OUTPUT", runner.dataPath("results.xls"));
    r = runner.run({"RESULTSTABLE"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const test::ReadBook book = test::readXlsx(runner.dataPath("results.xls"));
    ASSERT_TRUE(book.ok) << book.error << r.err;
    // Results by question: one row a question, then a row an item of the rank question.
    const auto &byQuestion = book.sheets.at(1).cells;
    EXPECT_EQ(byQuestion.at("A2").value + " " + byQuestion.at("A5").value, "q1.tlx q4.tlx");
    EXPECT_EQ(byQuestion.at("A9").value.substr(0, 6), "q6.tlx");
    // Results with text: the options are the lines of the question's slide (cells end in a blank).
    EXPECT_EQ(book.sheets.at(2).cells.at("B2").value + book.sheets.at(2).cells.at("B5").value,
              "Mercury Jupiter ");
    // The question's tag moved from the vote shape to its slide.
    EXPECT_EQ(host.slide(2).tags.at("QUIZTLXNAME"), "q1.tlx");
    EXPECT_TRUE(shapeNamed(host.slide(2), "VOTE")->tags.empty());

    // A dead office ends the run.
    session.office.stop();
    try {
        waitFor([&] { return host.slideCount() < 0; }, 10);
        ADD_FAILURE() << "the run went on without the office";
    } catch (const RunEnded &end) {
        EXPECT_NE(end.reason.find("LibreOffice Impress"), std::string::npos) << end.reason;
    }
}

// A PPTX made as the presentation program saves one: its "run program"
// actions arrive as file URLs and are read as run strings.
TEST(ImpressOffice, ReadsRunProgramActionsOfAPptx)
{
    if (!test::officeInstalled())
        GTEST_SKIP() << "LibreOffice Impress is not installed (" << test::officeProgram << ")";
    test::Xvfb server(640, 480);
    ASSERT_TRUE(server.running()) << "Xvfb did not start";
    test::TestFolder folder;
    const std::string document = folder.str() + "/votes.pptx";
    QProcess zip;
    zip.setWorkingDirectory(QUIZ_TEST_DATA "/impress/pptx");
    zip.start("python3", {"-m", "zipfile", "-c", QString::fromStdString(document), "[Content_Types].xml",
                          "_rels", "ppt"});
    ASSERT_TRUE(zip.waitForFinished(10000) && zip.exitCode() == 0)
        << zip.readAllStandardError().toStdString();
    Session session(server, folder, document, "pptx");
    ASSERT_TRUE(session.attached(2)) << session.host.attachError();
    const HostSlide first = session.host.slide(1);
    ASSERT_NE(shapeNamed(first, "VOTE"), nullptr);
    EXPECT_EQ(shapeNamed(first, "VOTE")->runString, "C:/Talvix/vote.exe q1.tlx,1");
    ASSERT_NE(shapeNamed(session.host.slide(2), "QUIZ"), nullptr);
    EXPECT_EQ(shapeNamed(session.host.slide(2), "QUIZ")->runString, "/opt/talvix/quiz quiz.quz,DISPLAY");
}

} // namespace
} // namespace quiz
