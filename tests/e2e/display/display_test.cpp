// DISPLAY and INSERT runs of the real program on a copy of the demo folder.

#include "support/quizrunner.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

using quiz::test::QuizRunner;
using quiz::test::QuizRunResult;

namespace {

bool has(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

// A presentation with one quiz slide showing in a 960 x 720 show window; the
// slide's look is a plain colour so that the captured background can be told.
void writeHost(QuizRunner &runner, bool showRunning = true)
{
    const std::string folder = runner.folder().str();
    QImage look(96, 72, QImage::Format_RGB32);
    look.fill(QColor(10, 120, 200));
    std::filesystem::create_directories(folder + "/slides");
    look.save(QString::fromStdString(folder + "/slides/1.png"));

    QJsonObject slide{{"title", "Quiz"}, {"picture", "slides/1.png"}, {"tags", QJsonObject()},
                      {"shapes", QJsonArray()}};
    QJsonObject presentation{{"path", QString::fromStdString(folder + "/show.pptx")},
                             {"pageWidth", 720},
                             {"pageHeight", 540},
                             {"slides", QJsonArray{slide}}};
    QJsonObject root{
        {"addinFolder", QString::fromStdString(folder + "/addin")},
        {"activePresentation", 0},
        {"presentations", QJsonArray{presentation}},
        {"slideShow", QJsonObject{{"running", showRunning},
                                  {"slide", 1},
                                  {"window", QJsonArray{0, 0, 960, 720}},
                                  {"pointerType", 1}}},
        {"activeWindowViewType", 1},
        {"windows", QJsonArray{QJsonObject{{"title", "Microsoft PowerPoint - [show.pptx]"},
                                           {"rect", QJsonArray{0, 0, 1280, 800}},
                                           {"visible", true},
                                           {"enabled", true}}}},
        {"macros", QJsonArray()}};
    runner.setHostJson(QJsonDocument(root).toJson().toStdString());
}

// The controller stand-in logs what it received; it may write a moment after
// the program has ended.
bool controllerGot(const QuizRunner &runner, const std::string &command)
{
    for (int i = 0; i < 60; ++i) {
        const auto log = runner.controllerLog();
        if (std::find(log.begin(), log.end(), command) != log.end())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

class DisplayRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(QuizRunner::controllerBinary()))
            GTEST_SKIP() << "the controller stand-in is not built";
        writeHost(runner);
    }
    QuizRunner runner;
};

} // namespace

TEST_F(DisplayRun, WithoutAScreenWritesThePictureAndEndsMovingTheShowOn)
{
    const QuizRunResult r = runner.run({"DISPLAY"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const std::string picturePath = runner.dataPath("QuizDisplay.png");
    EXPECT_TRUE(has(r.out, picturePath)) << r.out;
    const QImage picture(QString::fromStdString(picturePath));
    ASSERT_FALSE(picture.isNull());
    // The display area is half the show window: 480 x 360 pixels.
    EXPECT_EQ(picture.size(), QSize(480, 360));
    // The captured slide lies behind the texts.
    EXPECT_EQ(picture.pixelColor(2, 2), QColor(10, 120, 200));
    // quiz.txt holds the record; the active marker is gone; the show moved on.
    EXPECT_TRUE(has(runner.folder().read("quiz.txt"), "\"Results for quiz.quz\""));
    EXPECT_FALSE(std::filesystem::exists(runner.dataPath("addin/quizActive.txt")));
    EXPECT_TRUE(controllerGot(runner, "NextSlide,1"));
    EXPECT_FALSE(std::filesystem::exists(runner.dataPath("addin/bcktemp.bmp")));
}

TEST_F(DisplayRun, WithoutASlideShowTellsTheUserAndEnds)
{
    writeHost(runner, false);
    const QuizRunResult r = runner.run({"DISPLAY"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0);
    ASSERT_FALSE(r.dialogLog.empty());
    EXPECT_TRUE(has(r.dialogLog.back(), "\"text\":\"Slide Show not running\"")) << r.dialogLog.back();
    EXPECT_TRUE(has(r.dialogLog.back(), "\"title\":\"talvix Quiz\""));
    EXPECT_TRUE(has(r.dialogLog.back(), "\"icon\":\"exclamation\""));
    EXPECT_FALSE(std::filesystem::exists(runner.dataPath("QuizDisplay.png")));
}

TEST_F(DisplayRun, InsertPastesTheChartIntoTheSlideAndWritesTheMarker)
{
    // The demo's display area: width 0.5, height 0.5, left 0.25, top 0.25.
    const QuizRunResult r = runner.run({"quiz.quz,INSERT,1"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const QJsonObject root = runner.host();
    const QJsonArray shapes =
        root["presentations"].toArray()[0].toObject()["slides"].toArray()[0].toObject()["shapes"].toArray();
    ASSERT_EQ(shapes.size(), 1);
    const QJsonObject shape = shapes[0].toObject();
    EXPECT_EQ(shape["name"].toString(), "talvix chart 1A");
    EXPECT_DOUBLE_EQ(shape["left"].toDouble(), 180);
    EXPECT_DOUBLE_EQ(shape["width"].toDouble(), 380);
    EXPECT_DOUBLE_EQ(shape["height"].toDouble(), 278);
    // The area's top moves down by 22 screen pixels before the picture is placed.
    EXPECT_GT(shape["top"].toDouble(), 135);
    EXPECT_LT(shape["top"].toDouble(), 135 + 540 * 22.0 / 480);
    EXPECT_TRUE(shape["visible"].toBool());

    EXPECT_EQ(runner.folder().read("addin/QuizInsertComplete.txt"), "\"Quiz insert complete\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(runner.dataPath("addin/quizActive.txt")));
    // The INSERT run writes no quiz.txt record.
    EXPECT_FALSE(std::filesystem::exists(runner.dataPath("quiz.txt")));
}
